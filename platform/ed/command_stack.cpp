#include "ed/command_stack.h"

#include <list>
#include <memory>
#include <vector>

#include "ed/names.h"
#include "rx/rxregistry.h"

ZcEdCommand::ZcEdCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                         int flags, ZcRxFunctionPtr function, ZcEdUIContext* context,
                         int functionCode, HINSTANCE resourceHandle)
    : mGroup(group), mGlobalName(globalName), mLocalName(localName), mFlags(flags),
      mFunction(function), mContext(context), mFunctionCode(functionCode),
      mResourceHandle(resourceHandle)
{
}

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcEdCommandStack, ZcRxObject)

namespace {

using platform::Same_Name;

struct CommandGroup {
    std::wstring name;
    std::vector<std::unique_ptr<ZcEdCommand>> commands;
};

// "_.NAME", "._NAME", "_NAME", ".NAME" -> NAME; globalOnly when "_" was given.
std::wstring Strip_Prefixes(const wchar_t* name, bool& globalOnly)
{
    std::wstring text = name != nullptr ? name : L"";
    globalOnly = false;
    size_t i = 0;
    while (i < text.size() && i < 2 && (text[i] == L'_' || text[i] == L'.')) {
        if (text[i] == L'_')
            globalOnly = true;
        ++i;
    }
    return text.substr(i);
}

class CommandIterator : public ZcEdCommandIterator {
public:
    explicit CommandIterator(std::vector<std::pair<const ZcEdCommand*, std::wstring>> entries)
        : mEntries(std::move(entries)) {}
    bool done() const override { return mIndex >= mEntries.size(); }
    bool next() override
    {
        if (!done())
            ++mIndex;
        return !done();
    }
    const ZcEdCommand* command() const override { return done() ? nullptr : mEntries[mIndex].first; }
    const wchar_t* commandGroup() const override
    {
        return done() ? nullptr : mEntries[mIndex].second.c_str();
    }

private:
    std::vector<std::pair<const ZcEdCommand*, std::wstring>> mEntries;
    size_t mIndex = 0;
};

class CommandStack : public ZcEdCommandStack {
public:
    Zcad::ErrorStatus addCommand(const wchar_t* group, const wchar_t* globalName,
                                 const wchar_t* localName, int flags, ZcRxFunctionPtr function,
                                 ZcEdUIContext* context, int fcode, HINSTANCE resource,
                                 ZcEdCommand** cmdPtrRet) override
    {
        return add(group, globalName, localName, flags, function, nullptr, context, fcode,
                   resource, cmdPtrRet);
    }

    Zcad::ErrorStatus add(const wchar_t* group, const wchar_t* globalName,
                          const wchar_t* localName, int flags, ZcRxFunctionPtr function,
                          std::function<void()> hostHandler, ZcEdUIContext* context, int fcode,
                          HINSTANCE resource, ZcEdCommand** cmdPtrRet)
    {
        if (cmdPtrRet != nullptr)
            *cmdPtrRet = nullptr;
        if (group == nullptr || *group == 0 || globalName == nullptr || *globalName == 0 ||
            (function == nullptr && !hostHandler) || !Valid_Name(globalName) ||
            (localName != nullptr && *localName != 0 && !Valid_Name(localName)))
            return Zcad::eInvalidInput;
        if (localName == nullptr || *localName == 0)
            localName = globalName;
        CommandGroup* target = find_group(group);
        if (target != nullptr) {
            for (const auto& command : target->commands)
                if (Same_Name(command->globalName(), globalName) ||
                    Same_Name(command->localName(), localName))
                    return Zcad::eDuplicateKey;
        } else {
            mGroups.push_front(CommandGroup{group, {}});
            target = &mGroups.front();
        }
        auto command = std::make_unique<ZcEdCommand>(target->name.c_str(), globalName, localName,
                                                     flags, function, context, fcode, resource);
        command->hostHandler = std::move(hostHandler);
        if (cmdPtrRet != nullptr)
            *cmdPtrRet = command.get();
        target->commands.push_back(std::move(command));
        return Zcad::eOk;
    }

    ZcEdCommandIterator* iterator() override
    {
        std::vector<std::pair<const ZcEdCommand*, std::wstring>> entries;
        for (const auto& group : mGroups)
            for (const auto& command : group.commands)
                entries.emplace_back(command.get(), group.name);
        return new CommandIterator(std::move(entries));
    }

    ZcEdCommand* lookupGlobalCmd(const wchar_t* cmdName) override
    {
        bool globalOnly = false;
        return find(Strip_Prefixes(cmdName, globalOnly), true, false);
    }

    ZcEdCommand* lookupLocalCmd(const wchar_t* cmdName) override
    {
        bool globalOnly = false;
        std::wstring name = Strip_Prefixes(cmdName, globalOnly);
        return globalOnly ? find(name, true, false) : find(name, false, true);
    }

    ZcEdCommand* lookupCmd(const wchar_t* cmdName, bool globalFlag) override
    {
        bool globalOnly = false;
        std::wstring name = Strip_Prefixes(cmdName, globalOnly);
        if (globalOnly || globalFlag)
            return find(name, true, false);
        if (ZcEdCommand* local = find(name, false, true))
            return local;
        return find(name, true, false);
    }

    Zcad::ErrorStatus removeCmd(const wchar_t* group, const wchar_t* globalName) override
    {
        CommandGroup* target = find_group(group);
        if (target == nullptr || globalName == nullptr)
            return Zcad::eKeyNotFound;
        for (auto it = target->commands.begin(); it != target->commands.end(); ++it) {
            if (Same_Name((*it)->globalName(), globalName)) {
                target->commands.erase(it);
                if (target->commands.empty())
                    erase_group(target);
                return Zcad::eOk;
            }
        }
        return Zcad::eKeyNotFound;
    }

    Zcad::ErrorStatus removeGroup(const wchar_t* group) override
    {
        CommandGroup* target = find_group(group);
        if (target == nullptr)
            return Zcad::eKeyNotFound;
        erase_group(target);
        return Zcad::eOk;
    }

    // Drops every group but the host group (tests).
    void remove_all_but(const wchar_t* keep)
    {
        for (auto it = mGroups.begin(); it != mGroups.end();) {
            if (Same_Name(it->name, keep))
                ++it;
            else
                it = mGroups.erase(it);
        }
    }

private:
    static bool Valid_Name(const wchar_t* name)
    {
        for (const wchar_t* p = name; *p; ++p)
            if (*p == L' ' || *p == L'\t' || *p == L'\n' || *p == L'\r')
                return false;
        return true;
    }

    CommandGroup* find_group(const wchar_t* name)
    {
        if (name == nullptr)
            return nullptr;
        for (auto& group : mGroups)
            if (Same_Name(group.name, name))
                return &group;
        return nullptr;
    }

    void erase_group(CommandGroup* group)
    {
        mGroups.remove_if([group](const CommandGroup& g) { return &g == group; });
    }

    ZcEdCommand* find(const std::wstring& name, bool global, bool local)
    {
        if (name.empty())
            return nullptr;
        for (auto& group : mGroups)
            for (auto& command : group.commands)
                if ((global && Same_Name(command->globalName(), name)) ||
                    (local && Same_Name(command->localName(), name)))
                    return command.get();
        return nullptr;
    }

    // Most recently added group first.
    std::list<CommandGroup> mGroups;
};

CommandStack& The_Stack()
{
    static CommandStack* stack = [] {
        ZcEdCommandStack::rxInit();
        auto* created = new CommandStack();
        zcrxSysRegistry()->atPut(ZCRX_COMMAND_DOCK, created);
        return created;
    }();
    return *stack;
}

// The stack is in the registry as soon as the library is loaded.
const bool gRegistered = (The_Stack(), true);

}  // namespace

ZcEdCommandStack* zcedRegCmdsPtr()
{
    return ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
}

namespace platform {

Zcad::ErrorStatus Register_Host_Command(const wchar_t* name, std::function<void()> handler,
                                        int flags)
{
    CommandStack& stack = The_Stack();
    stack.removeCmd(ZCAD_HOST_COMMAND_GROUP, name);
    return stack.add(ZCAD_HOST_COMMAND_GROUP, name, name, flags, nullptr, std::move(handler),
                     nullptr, -1, nullptr, nullptr);
}

void Remove_Plugin_Commands()
{
    The_Stack().remove_all_but(ZCAD_HOST_COMMAND_GROUP);
}

}  // namespace platform
