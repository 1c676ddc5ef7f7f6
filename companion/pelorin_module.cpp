// The companion module "Pelorin.dll": loaded by "_NetLoad", it adds the commands
// "K_PDF_Merge" and "K_PDF_Rotate", which carry out the jobs the plug-in leaves in the
// working drawing.
#include "companion/handoff_records.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "rx/rxentry.h"
#include "rx/rxlinker.h"
#include "script/utf8.h"

namespace companion {

namespace {

const wchar_t* const Command_Group = L"PELORIN_PDF";

void Print(const std::wstring& text) { zcedPrompt(text.c_str()); }

void Merge_Command() {
    std::wstring error;
    const auto job = Read_Merge_Infor(error);
    if (!job) {
        Print(L"\nK_PDF_Merge: " + error + L".");
        return;
    }
    const Merge_Result result = Merge_Pdf_Files(job->inputs, job->target);
    for (const std::string& skipped : result.skipped) Print(L"\nK_PDF_Merge: skipped " + platform::From_Utf8(skipped));
    if (!result.error.empty()) {
        Print(L"\nK_PDF_Merge: nothing written to " + job->target_text + L": " + platform::From_Utf8(result.error) + L".");
        return;
    }
    Print(L"\nK_PDF_Merge: " + std::to_wstring(result.joined) + L" files merged into " + job->target_text + L".");
}

void Rotate_Command() {
    std::wstring error;
    const auto job = Read_Rotate_Flag(error);
    if (!job) {
        Print(L"\nK_PDF_Rotate: " + error + L".");
        return;
    }
    const std::string failure = Rotate_Pdf_File(job->file, job->degrees);
    if (!failure.empty()) {
        Print(L"\nK_PDF_Rotate: " + job->file_text + L" not rotated: " + platform::From_Utf8(failure) + L".");
        return;
    }
    Print(L"\nK_PDF_Rotate: " + job->file_text + L" rotated by " + std::to_wstring(job->degrees) + L" degrees.");
}

}  // namespace

}  // namespace companion

extern "C" __attribute__((visibility("default"))) ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode message,
                                                                                  void* app_id) {
    if (message == ZcRx::kInitAppMsg) {
        zcrxDynamicLinker->unlockApplication(app_id);
        zcrxDynamicLinker->registerAppMDIAware(app_id);
        zcedRegCmds->addCommand(companion::Command_Group, L"K_PDF_Merge", L"K_PDF_Merge", ZCRX_CMD_MODAL,
                                companion::Merge_Command);
        zcedRegCmds->addCommand(companion::Command_Group, L"K_PDF_Rotate", L"K_PDF_Rotate", ZCRX_CMD_MODAL,
                                companion::Rotate_Command);
    } else if (message == ZcRx::kUnloadAppMsg) {
        zcedRegCmds->removeGroup(companion::Command_Group);
    }
    return ZcRx::kRetOK;
}
