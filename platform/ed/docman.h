// Documents and the document manager: the open drawings, the current one, document locks
// and queued command text (every sendStringToExecute call is also logged for tests).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rx/rxobject.h"

class ZcDbDatabase;
class ZcApDocument;
namespace platform {
struct DocumentState;
}

namespace ZcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40
};
}  // namespace ZcAp

class ZcApDocument : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcApDocument);

public:
    ~ZcApDocument() override;

    ZcDbDatabase* database() const { return mDatabase; }
    // The drawing file's path as opened or last saved ("" for a new unsaved drawing).
    const wchar_t* fileName() const { return mFileName.c_str(); }
    // The file name without folder ("Drawing1.dxf" for a new drawing).
    const wchar_t* docTitle() const { return mTitle.c_str(); }
    // The mode of the innermost lock (kNotLocked when unlocked).
    ZcAp::DocLockMode lockMode(bool bIncludeMyLocks = false) const;
    ZcAp::DocLockMode myLockMode() const;
    // Number of nested locks held.
    int lockCount() const;
    bool isQuiescent() const;

    // Platform: takes a new file name (after saveAs); the title follows.
    void setFileName(const std::wstring& path);
    // Platform: the editor's per-document state (locks, UCS, viewports, selection sets).
    platform::DocumentState& state() const { return *mState; }

private:
    friend class ZcApDocManagerImpl;
    ZcApDocument(ZcDbDatabase* database, bool ownsDatabase, const std::wstring& fileName,
                 const std::wstring& newTitle);

    ZcDbDatabase* mDatabase;
    bool mOwnsDatabase;
    std::wstring mFileName;
    std::wstring mTitle;
    std::unique_ptr<platform::DocumentState> mState;
};

class ZcApDocManagerReactor : public ZcRxObject {
public:
    ~ZcApDocManagerReactor() override = default;
    virtual void documentCreateStarted(ZcApDocument*) {}
    virtual void documentCreated(ZcApDocument*) {}
    virtual void documentToBeDestroyed(ZcApDocument*) {}
    virtual void documentDestroyed(const wchar_t* fileName) {}
    virtual void documentCreateCanceled(ZcApDocument*) {}
    virtual void documentLockModeWillChange(ZcApDocument*, ZcAp::DocLockMode myCurrentMode,
                                            ZcAp::DocLockMode myNewMode,
                                            ZcAp::DocLockMode currentMode,
                                            const wchar_t* pGlobalCmdName) {}
    virtual void documentLockModeChanged(ZcApDocument*, ZcAp::DocLockMode myPreviousMode,
                                         ZcAp::DocLockMode myCurrentMode,
                                         ZcAp::DocLockMode currentMode,
                                         const wchar_t* pGlobalCmdName) {}
    virtual void documentBecameCurrent(ZcApDocument*) {}
    virtual void documentToBeActivated(ZcApDocument*) {}
    virtual void documentToBeDeactivated(ZcApDocument*) {}
    virtual void documentActivated(ZcApDocument*) {}
    virtual void documentActivationModified(bool bActivation) {}
};

class ZcApDocumentIterator {
public:
    virtual ~ZcApDocumentIterator() = default;
    virtual bool done() const = 0;
    virtual void step() = 0;
    virtual ZcApDocument* document() = 0;
};

class ZcApDocManager : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcApDocManager);

public:
    // The document whose commands run (the current one) and the active MDI document; the
    // same document here except while a command switches documents.
    virtual ZcApDocument* curDocument() const = 0;
    virtual ZcApDocument* mdiActiveDocument() const = 0;
    virtual int documentCount() const = 0;
    // The caller deletes the iterator.
    virtual ZcApDocumentIterator* newIterator() const = 0;
    virtual ZcApDocument* document(const ZcDbDatabase* pDb) const = 0;

    // Locks are re-entrant: each lock needs its unlock. A kRead lock over a write lock and a
    // write lock over a kRead lock are allowed here (one thread); unlocking an unlocked
    // document gives eNotApplicable.
    virtual Zcad::ErrorStatus lockDocument(ZcApDocument* pDoc,
                                           ZcAp::DocLockMode lockMode = ZcAp::kWrite,
                                           const wchar_t* pGlobalCmdName = nullptr,
                                           const wchar_t* pLocalCmdName = nullptr,
                                           bool prompt = true) = 0;
    virtual Zcad::ErrorStatus unlockDocument(ZcApDocument* pDoc) = 0;

    // Typed input for the document: text queued while a prompt waits answers that prompt,
    // otherwise it runs once the running command or window handler returns. U+0003 cancels
    // a waiting prompt and is ignored when none waits. With activate the document becomes
    // current first.
    virtual Zcad::ErrorStatus sendStringToExecute(ZcApDocument* pAcTargetDocument,
                                                  const wchar_t* pszExecute,
                                                  bool bActivate = true,
                                                  bool bWrapUpInactiveDoc = false,
                                                  bool bEchoString = true) = 0;

    virtual Zcad::ErrorStatus setCurDocument(ZcApDocument* pDoc,
                                             ZcAp::DocLockMode = ZcAp::kNone,
                                             bool activate = false) = 0;
    virtual Zcad::ErrorStatus activateDocument(ZcApDocument* pAcTargetDocument,
                                               bool bPassScript = false) = 0;

    // Opens a drawing file as a new current document (eFileNotFound / the reader's status
    // on failure; eNotImplemented when no drawing-file reader is registered).
    virtual Zcad::ErrorStatus appContextOpenDocument(const wchar_t* pszDrawingName) = 0;
    // A new empty drawing as a new current document.
    virtual Zcad::ErrorStatus appContextNewDocument(const wchar_t* pszTemplateName) = 0;
    virtual Zcad::ErrorStatus closeDocument(ZcApDocument* pDoc) = 0;

    virtual void addReactor(ZcApDocManagerReactor*) = 0;
    virtual void removeReactor(ZcApDocManagerReactor*) = 0;
};

ZcApDocManager* zcDocManagerPtr();
#define zcDocManager zcDocManagerPtr()

// Locks the current document (or the given one) for the object's lifetime.
class ZcAxDocLock {
public:
    enum DocLockType { kNormal = 0, kCurDocSwitch = 1 };
    ZcAxDocLock();
    explicit ZcAxDocLock(ZcApDocument* pDoc, ZcAp::DocLockMode mode = ZcAp::kWrite);
    ~ZcAxDocLock();
    ZcAxDocLock(const ZcAxDocLock&) = delete;
    ZcAxDocLock& operator=(const ZcAxDocLock&) = delete;
    // eOk when the lock was taken, eNoDatabase when there was no document.
    Zcad::ErrorStatus lockStatus() const { return mStatus; }

private:
    ZcApDocument* mDoc;
    Zcad::ErrorStatus mStatus;
};

namespace platform {

// Makes a document for an existing database (owned by the document when takeOwnership)
// and makes it current; used by the host session and by tests.
ZcApDocument* Add_Document(ZcDbDatabase* database, bool takeOwnership,
                           const std::wstring& fileName);
// Closes every document (tests and the end of a session).
void Close_All_Documents();

// One call of sendStringToExecute, as it was made.
struct Sent_String {
    ZcApDocument* document;
    std::wstring text;
    bool activate;
    bool wrapUpInactiveDoc;
    bool echo;
};
// Every sendStringToExecute call since the host was last reset, in order (calls refused
// for a null text or an unknown document included).
const std::vector<Sent_String>& Sent_Strings();
void Clear_Sent_Strings();

}  // namespace platform
