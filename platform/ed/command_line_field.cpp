#include "ed/command_line_field.h"

#include "ed/input_point_monitor.h"

namespace platform {

namespace {

struct Field_State {
    std::wstring text;
    Key_Delivery delivery = nullptr;
};

Field_State& Field()
{
    static Field_State state;
    return state;
}

}  // namespace

void Type_Character(wchar_t c)
{
    std::wstring& text = Field().text;
    if (c == L'\b') {
        if (!text.empty())
            text.pop_back();
    } else if (c >= L' ' && c != 0x7F) {
        text += c;
    }
}

const std::wstring& Command_Line_Field() { return Field().text; }
void Clear_Command_Line_Field() { Field().text.clear(); }

InputAnswer Take_Editor_Answer(InputAnswer answer)
{
    if (answer.kind == InputAnswer::Kind::Point)
        Move_Cursor(answer.pt);
    if (answer.kind == InputAnswer::Kind::Enter && !Field().text.empty()) {
        answer.kind = InputAnswer::Kind::Text;
        answer.text = Field().text;
    }
    Clear_Command_Line_Field();
    return answer;
}

void Set_Key_Delivery(Key_Delivery delivery) { Field().delivery = delivery; }

void Deliver_Key(const MSG& key_message)
{
    if (Field().delivery != nullptr)
        Field().delivery(key_message);
}

}  // namespace platform
