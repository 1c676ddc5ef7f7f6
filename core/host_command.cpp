#include "core/host_command.h"

#include "ed/command_runner.h"
#include "rx/zcadstrc.h"

namespace {

int Run_Chain(resbuf* head)
{
    const int result = zcedCmdS(head);
    zcutRelRb(head);
    return result;
}

resbuf* Append_Text(resbuf*& head, resbuf* tail, const wchar_t* text)
{
    resbuf* item = zcutNewRb(RTSTR);
    const size_t length = wcslen(text);
    item->resval.rstring = new wchar_t[length + 1];
    wmemcpy(item->resval.rstring, text, length + 1);
    if (tail)
        tail->rbnext = item;
    else
        head = item;
    return item;
}

}  // namespace

int Run_Host_Command(const CStringArray& items)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        tail = Append_Text(head, tail, items[i].GetString());
    return Run_Chain(head);
}

int Run_Host_Command(std::initializer_list<const wchar_t*> items)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const wchar_t* item : items)
        tail = Append_Text(head, tail, item);
    return Run_Chain(head);
}
