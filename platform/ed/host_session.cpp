#include "ed/host_session.h"

#include "db/linetype_file.h"

#include <algorithm>
#include <exception>

#include "db/dbmain.h"
#include "ed/command_line.h"
#include "ed/command_runner.h"
#include "ed/docman.h"
#include "ed/host_reset.h"
#include "ed/input.h"
#include "ed/prompt_support.h"
#include "ed/spatial_index.h"
#include "ed/sysvars.h"
#include "rx/rxlinker.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "win/win_files.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

// The linker's last line: why a module did not load.
std::wstring& Last_Linker_Message()
{
    static std::wstring message;
    return message;
}

void Linker_Message(const wchar_t* text)
{
    if (text == nullptr)
        return;
    Last_Linker_Message() = text;
    Print(std::wstring(L"\n") + text);
}

ZcDbDatabase* Current_Database()
{
    ZcApDocument* doc = zcDocManager->curDocument();
    return doc != nullptr ? doc->database() : nullptr;
}

}  // namespace

HostSession::~HostSession() = default;

bool HostSession::open(const std::wstring& drawingPath)
{
    // The host's linetype files are in its support folder from the start.
    Install_Host_Linetype_Files();
    if (drawingPath.empty()) {
        Print(L"\nNo drawing given: a new empty drawing stands in.");
        Add_Document(new ZcDbDatabase(true, false), true, L"");
        return true;
    }
    auto* database = new ZcDbDatabase(false, false);
    Zcad::ErrorStatus es = database->readDwgFile(drawingPath.c_str());
    if (es == Zcad::eNotImplemented) {
        delete database;
        Print(L"\nNo drawing-file reader: a new empty drawing stands in for " + drawingPath + L".");
        Add_Document(new ZcDbDatabase(true, false), true, drawingPath);
        return true;
    }
    if (es != Zcad::eOk) {
        delete database;
        mError = To_Utf8(L"cannot open the drawing " + drawingPath + L": " + zcadErrorStatusText(es));
        return false;
    }
    Add_Document(database, true, drawingPath);
    return true;
}

bool HostSession::load_module(const std::wstring& path)
{
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    if (linker == nullptr)
        return false;
    linker->setMessageSink(&Linker_Message);
    Last_Linker_Message().clear();
    bool loaded = linker->loadModule(path.c_str(), true);
    if (loaded)
        mModules.push_back(path);
    else
        mError = To_Utf8(Last_Linker_Message());
    return loaded;
}

void HostSession::unload_modules()
{
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    if (linker == nullptr)
        return;
    for (auto it = mModules.rbegin(); it != mModules.rend(); ++it)
        linker->unloadModule(it->c_str(), true);
    if (!mModules.empty())
        Print(L"\n");
    mModules.clear();
}

bool HostSession::save(const std::wstring& path)
{
    ZcApDocument* doc = zcDocManager->curDocument();
    ZcDbDatabase* database = Current_Database();
    if (database == nullptr) {
        Print(L"\nCannot save " + path + L": no drawing is open.");
        return false;
    }
    Zcad::ErrorStatus es = database->saveAs(path.c_str());
    if (es != Zcad::eOk) {
        Print(L"\nCannot save " + path + L": " + zcadErrorStatusText(es) + L".");
        return false;
    }
    doc->setFileName(path);
    return true;
}

int HostSession::run_script()
{
    mError.clear();
    ScriptInput& script = ScriptInput::instance();
    try {
        while (!script.quitting() && script.peek() != nullptr) {
            Step step = script.take();
            switch (step.kind) {
            case StepKind::Command:
                Run_Command_Step(step);
                Run_Queued_Input();
                break;
            case StepKind::Save:
                // Relative, like the paths of file answers and snapshots: to the starting folder.
                save(Script_Answer_Path(step.text));
                break;
            case StepKind::Quit:
                break;
            default:
                if (const StepHandler* handler = Find_Step_Handler(step.kind, true)) {
                    (*handler)(step);
                    Run_Queued_Input();
                    break;
                }
                throw Step_Failed(step, L"nothing is waiting for input");
            }
        }
    } catch (const std::exception& error) {
        mError = error.what();
        if (mError.empty())
            mError = "the session failed";
        Print(L"\n*Error* " + From_Utf8(mError) + L"\n");
        return 1;
    }
    Print(L"\n");
    return 0;
}

void Reset_Host_For_Tests()
{
    Close_All_Documents();
    Clear_Sent_Strings();
    Remove_Plugin_Commands();
    Remove_All_Editor_Reactors();
    Remove_All_Document_Reactors();
    Remove_All_Message_Watchers();
    Reset_System_Variables();
    Environment::instance().reset();
    ScriptInput::instance().reset();
    Reset_Input();
    Reset_Selection_Sets();
    Reset_Spatial_Index();
    Take_Prompt_Setup();
    CommandLine::instance().clear();
}

}  // namespace platform
