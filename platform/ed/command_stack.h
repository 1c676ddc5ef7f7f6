// The host's command stack: command groups with their commands, looked up by name.
// Registered in the system registry as "ZCAD_REGISTERED_COMMANDS".
#pragma once

#include <functional>
#include <string>

#include "rx/rxentry.h"
#include "rx/rxobject.h"
#include "win/win_types.h"

#define ZCRX_COMMAND_DOCK L"ZCAD_REGISTERED_COMMANDS"

// Command flags.
#define ZCRX_CMD_MODAL 0x00000000
#define ZCRX_CMD_TRANSPARENT 0x00000001
#define ZCRX_CMD_USEPICKSET 0x00000002
#define ZCRX_CMD_REDRAW 0x00000004
#define ZCRX_CMD_NOPERSPECTIVE 0x00000008
#define ZCRX_CMD_NOMULTIPLE 0x00000010
#define ZCRX_CMD_NOTILEMODE 0x00000020
#define ZCRX_CMD_NOPAPERSPACE 0x00000040
#define ZCRX_CMD_NOOEM 0x00000100
#define ZCRX_CMD_UNDEFINED 0x00000200
#define ZCRX_CMD_INPROGRESS 0x00000400
#define ZCRX_CMD_DEFUN 0x00000800
#define ZCRX_CMD_NONEWSTACK 0x00010000
#define ZCRX_CMD_NOINTERNALLOCK 0x00020000
#define ZCRX_CMD_DOCREADLOCK 0x00080000
#define ZCRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ZCRX_CMD_SESSION 0x00200000
#define ZCRX_CMD_INTERRUPTIBLE 0x00400000
#define ZCRX_CMD_NOHISTORY 0x00800000
#define ZCRX_CMD_NO_UNDO_MARKER 0x01000000
#define ZCRX_CMD_NOBEDIT 0x02000000

// The group of the platform's own host commands ("_REGEN", "-plot", ...).
#define ZCAD_HOST_COMMAND_GROUP L"ZCAD_HOST"

// A UI context a command may carry (menus of the command's context); the host keeps it only.
class ZcEdUIContext : public ZcRxObject {
public:
    ~ZcEdUIContext() override = default;
};

class ZcEdCommand {
public:
    ZcEdCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                int flags, ZcRxFunctionPtr function, ZcEdUIContext* context, int functionCode,
                HINSTANCE resourceHandle);
    virtual ~ZcEdCommand() = default;

    virtual ZcRxFunctionPtr functionAddr() const { return mFunction; }
    virtual int functionCode() const { return mFunctionCode; }
    virtual int commandFlags() const { return mFlags; }
    // The module that registered the command (the resource handle it gave, may be null).
    virtual void* commandApp() const { return mResourceHandle; }
    virtual ZcEdUIContext* UIContext() const { return mContext; }
    virtual HINSTANCE resourceHandle() const { return mResourceHandle; }
    virtual const wchar_t* globalName() const { return mGlobalName.c_str(); }
    virtual const wchar_t* localName() const { return mLocalName.c_str(); }
    // The group the command belongs to.
    const wchar_t* groupName() const { return mGroup.c_str(); }

    // A platform host command runs this instead of functionAddr when set.
    std::function<void()> hostHandler;

private:
    std::wstring mGroup;
    std::wstring mGlobalName;
    std::wstring mLocalName;
    int mFlags;
    ZcRxFunctionPtr mFunction;
    ZcEdUIContext* mContext;
    int mFunctionCode;
    HINSTANCE mResourceHandle;
};

// Walks every command of every group, most recently added group first, each group's
// commands in the order they were added.
class ZcEdCommandIterator {
public:
    virtual ~ZcEdCommandIterator() = default;
    virtual bool done() const = 0;
    virtual bool next() = 0;
    virtual const ZcEdCommand* command() const = 0;
    virtual const wchar_t* commandGroup() const = 0;
};

class ZcEdCommandStack : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcEdCommandStack);

public:
    // Names compare without regard to case. A global (or local) name already in the group
    // gives eDuplicateKey and adds nothing; an empty or null name or a null function
    // gives eInvalidInput.
    virtual Zcad::ErrorStatus addCommand(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName,
                                         const wchar_t* cmdLocalName, int commandFlags,
                                         ZcRxFunctionPtr functionAddr,
                                         ZcEdUIContext* UIContext = nullptr, int fcode = -1,
                                         HINSTANCE hResourceHandle = nullptr,
                                         ZcEdCommand** cmdPtrRet = nullptr) = 0;
    // The caller deletes the iterator.
    virtual ZcEdCommandIterator* iterator() = 0;
    // Lookups accept the prefixes "_" (global name only) and "." (and "_." / "._");
    // "-NAME" is a name of its own. The most recently added group wins.
    virtual ZcEdCommand* lookupGlobalCmd(const wchar_t* cmdName) = 0;
    virtual ZcEdCommand* lookupLocalCmd(const wchar_t* cmdName) = 0;
    // Local names first, then global names (global only with the "_" prefix or globalFlag).
    virtual ZcEdCommand* lookupCmd(const wchar_t* cmdName, bool globalFlag = false) = 0;
    // eKeyNotFound when the group or command does not exist.
    virtual Zcad::ErrorStatus removeCmd(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName) = 0;
    virtual Zcad::ErrorStatus removeGroup(const wchar_t* groupName) = 0;
};

// The command stack from the system registry (nullptr when it is not registered).
ZcEdCommandStack* zcedRegCmdsPtr();
#define zcedRegCmds zcedRegCmdsPtr()

namespace platform {

// Adds a host command to the host group with global and local name `name`. `name` may
// start with "-" ("-plot"). Replaces an earlier host command of that name.
Zcad::ErrorStatus Register_Host_Command(const wchar_t* name, std::function<void()> handler,
                                        int flags = ZCRX_CMD_MODAL);

}  // namespace platform
