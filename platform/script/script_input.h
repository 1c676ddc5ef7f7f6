// The session's input script: one process-wide queue of input steps that every
// consumer (prompts, selections, message boxes, dialogs, key presses) reads in order.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Kinds of input steps. To add a kind: add it here, give it a keyword and an
// argument parser in the syntax table of script_syntax.cpp.
enum class StepKind {
    Command,  // command NAME
    Answer,   // answer "TEXT" | answer TEXT
    Point,    // point X,Y[,Z]
    Enter,    // enter
    Esc,      // esc
    Select,   // select all | select window X1,Y1 X2,Y2 | select crossing X1,Y1 X2,Y2
    MsgBox,   // msgbox YES|NO|OK|CANCEL|RETRY|IGNORE|ABORT
    File,     // file "PATH" ["PATH"...] (several for a multi-select dialog)
    Key,      // key NAME [down|up]
    Save,     // save "PATH"
    Quit,     // quit
    Menubar,  // menubar: prints the host's menu bar
    // Dialog steps (an optional @ID prefix, a template id or its symbol, names the window).
    Click,     // click ID
    Text,      // text ID "TEXT"
    Choose,    // choose ID N
    Check,     // check ID 0|1
    Cell,      // cell ID ROW COL
    RClick,    // rclick ID ROW COL
    DblClick,  // dblclick ID ROW [COL]
    Header,    // header ID COL
    Menu,      // menu ITEMID
    Pick,      // pick N
    Color,     // color R,G,B
    Snapshot,  // snapshot "PATH.png"
    Rows,      // rows ID: prints the rows of a list control
    Wait,      // wait pumps N | wait file "PATH"
    Drag,      // drag DX,DY: the window being moved by its caption goes DX,DY pixels
};

// True for the kinds that act on a window (click ... snapshot); not menu, pick, color, wait.
bool Is_Window_Step(StepKind kind);

// The script keyword of a kind ("command", "answer", ...).
const wchar_t* Step_Kind_Name(StepKind kind);

// What a key step does with its key: press it (down and up again), or hold it down until
// a later step lets it up.
enum class KeyAction { Press, Down, Up };

struct Step {
    StepKind kind = StepKind::Enter;
    // Command name, answer text, file path, key name (upper case), message-box
    // answer (upper case), save path, select mode ("all", "window", "crossing"),
    // the text of a text step, a snapshot path, or the file a wait step waits for.
    std::wstring text;
    std::vector<std::wstring> paths;  // file: every path given, the first one also in text
    double pt[3] = {0, 0, 0};   // point; first corner of a window/crossing selection
    double pt2[3] = {0, 0, 0};  // second corner of a window/crossing selection
    bool has_z = false;         // a point step gave a Z coordinate
    KeyAction key_action = KeyAction::Press;  // key step
    int target = 0;             // @TEMPLATEID of a dialog step; 0 = the topmost window
    int control_id = 0;         // control of a dialog step; item id of a menu step
    // The window, control or menu item as a symbol ("IDD_DLG_BPLOT1", "IDOK"); empty when
    // given by number. Resolved into target / control_id when the step reaches the queue's front.
    std::wstring target_symbol;
    std::wstring control_symbol;
    int values[3] = {0, 0, 0};  // choose/check/pick value, row and column, colour, pump count
    int line = 0;               // line in its script (1-based); 0 for synthetic steps
    std::wstring source_line;   // the line as written (trimmed)
    bool synthetic = false;     // made up by the queue (the cancel given after quit)

    // Short description for messages: "command PLOT" or the source line.
    std::wstring describe() const;
};

// Thrown when a consumer asks for input that the script does not give.
// what() is UTF-8 and names what was asked and why it was not answered.
class UnansweredInput : public std::runtime_error {
public:
    explicit UnansweredInput(const std::string& utf8_message) : std::runtime_error(utf8_message) {}
};

// The error of a step that cannot be carried out: "step '<step>' at line N: <why>".
UnansweredInput Step_Failed(const Step& step, std::wstring_view why);

// Thrown by ScriptInput::push_text on a line that is not a valid step.
class ScriptSyntaxError : public std::runtime_error {
public:
    explicit ScriptSyntaxError(const std::string& utf8_message) : std::runtime_error(utf8_message) {}
};

// Parses script text into steps. On a bad line returns false and sets error to
// "<source_name>:<line>: <reason>" (UTF-8); steps is then left empty.
bool Parse_Script(std::wstring_view text, std::wstring_view source_name,
                  std::vector<Step>& steps, std::string& error);

// Key names a `key` step accepts, mapped to Windows virtual-key codes
// (TAB 0x09, PAGEUP 0x21, F1 0x70, letters and digits their ASCII code...).
// Returns -1 for an unknown name. Case-insensitive.
int Key_Code_From_Name(std::wstring_view name);

// Finds the value of an id symbol of a step (the loaded modules' resource ids, the standard
// dialog ids); false for an unknown name.
using Symbol_Resolver = std::function<bool(std::wstring_view name, int& value)>;
void Set_Symbol_Resolver(Symbol_Resolver resolver);

class ScriptInput {
public:
    static ScriptInput& instance();

    // Appends the steps of script text (UTF-8 or wide). A bad line throws
    // ScriptSyntaxError naming the line; nothing of that text is queued then.
    void push_text(std::string_view utf8_text);
    void push_text(std::wstring_view text);
    // Appends the steps of a UTF-8 script file. Returns false and sets error
    // ("file:line: reason", UTF-8) when the file cannot be read or parsed.
    bool push_file(const std::filesystem::path& path, std::string& error);
    // Appends already parsed steps.
    void push_steps(const std::vector<Step>& steps);

    bool empty() const;
    size_t size() const;
    // The next step, or null when the script has ended. Valid until the queue changes.
    // The next step's symbols are resolved first by peek, take and expect: an unknown one
    // throws UnansweredInput naming the step.
    const Step* peek();
    // Removes and returns the next step; throws UnansweredInput when the script has ended.
    // Taking a quit step turns quitting mode on.
    Step take();
    // Returns the next step when its kind is in `accepted`. Otherwise throws
    // UnansweredInput: "<what_is_asked> (<kinds>) not answered: script ended" or
    // "... not answered: next step is '<step>' at line N".
    // A quit step met here is consumed and turns quitting mode on (unless Quit is
    // accepted, then it is returned). In quitting mode every call returns a
    // synthetic Esc step (cancel), whatever was accepted.
    Step expect(std::initializer_list<StepKind> accepted, std::wstring_view what_is_asked);

    bool quitting() const;

    // Drops all queued steps (quitting mode stays).
    void clear();
    // Drops all queued steps and leaves quitting mode.
    void reset();

private:
    ScriptInput() = default;
    // The front step with its symbols resolved; the lock is held.
    Step& front_resolved();
    mutable std::mutex mutex_;
    std::deque<Step> steps_;
    bool quitting_ = false;
};

}  // namespace platform
