#include "ed/docman.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "db/dbmain.h"
#include "ed/document_state.h"
#include "ed/host_reset.h"
#include "ed/input.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcApDocument, ZcRxObject)
ZCRX_NO_CONS_DEFINE_MEMBERS(ZcApDocManager, ZcRxObject)

namespace {

std::wstring Title_Of(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

ZcApDocument::ZcApDocument(ZcDbDatabase* database, bool ownsDatabase, const std::wstring& fileName,
                           const std::wstring& newTitle)
    : mDatabase(database), mOwnsDatabase(ownsDatabase), mFileName(fileName),
      mTitle(fileName.empty() ? newTitle : Title_Of(fileName)),
      mState(std::make_unique<platform::DocumentState>())
{
}

ZcApDocument::~ZcApDocument()
{
    if (mOwnsDatabase)
        delete mDatabase;
}

ZcAp::DocLockMode ZcApDocument::lockMode(bool) const
{
    return mState->locks.empty() ? ZcAp::kNotLocked
                                 : static_cast<ZcAp::DocLockMode>(mState->locks.back());
}

ZcAp::DocLockMode ZcApDocument::myLockMode() const { return lockMode(); }

int ZcApDocument::lockCount() const { return static_cast<int>(mState->locks.size()); }

bool ZcApDocument::isQuiescent() const { return mState->locks.empty(); }

void ZcApDocument::setFileName(const std::wstring& path)
{
    mFileName = path;
    mTitle = Title_Of(path);
}

class ZcApDocManagerImpl : public ZcApDocManager {
public:
    ZcApDocument* curDocument() const override { return mCurrent; }
    ZcApDocument* mdiActiveDocument() const override { return mCurrent; }
    int documentCount() const override { return static_cast<int>(mDocs.size()); }

    ZcApDocumentIterator* newIterator() const override
    {
        class Iterator : public ZcApDocumentIterator {
        public:
            explicit Iterator(std::vector<ZcApDocument*> docs) : mDocs(std::move(docs)) {}
            bool done() const override { return mIndex >= mDocs.size(); }
            void step() override { ++mIndex; }
            ZcApDocument* document() override { return done() ? nullptr : mDocs[mIndex]; }

        private:
            std::vector<ZcApDocument*> mDocs;
            size_t mIndex = 0;
        };
        std::vector<ZcApDocument*> docs;
        for (const auto& doc : mDocs)
            docs.push_back(doc.get());
        return new Iterator(std::move(docs));
    }

    ZcApDocument* document(const ZcDbDatabase* pDb) const override
    {
        for (const auto& doc : mDocs)
            if (pDb != nullptr && doc->database() == pDb)
                return doc.get();
        return nullptr;
    }

    Zcad::ErrorStatus lockDocument(ZcApDocument* pDoc, ZcAp::DocLockMode mode,
                                   const wchar_t* globalCmd, const wchar_t*, bool) override
    {
        if (!known(pDoc))
            return Zcad::eInvalidInput;
        ZcAp::DocLockMode before = pDoc->lockMode();
        notify([&](ZcApDocManagerReactor* r) {
            r->documentLockModeWillChange(pDoc, before, mode, before, globalCmd);
        });
        pDoc->state().locks.push_back(mode);
        notify([&](ZcApDocManagerReactor* r) {
            r->documentLockModeChanged(pDoc, before, mode, mode, globalCmd);
        });
        return Zcad::eOk;
    }

    Zcad::ErrorStatus unlockDocument(ZcApDocument* pDoc) override
    {
        if (!known(pDoc))
            return Zcad::eInvalidInput;
        auto& locks = pDoc->state().locks;
        if (locks.empty())
            return Zcad::eNotApplicable;
        ZcAp::DocLockMode before = pDoc->lockMode();
        locks.pop_back();
        ZcAp::DocLockMode after = pDoc->lockMode();
        notify([&](ZcApDocManagerReactor* r) {
            r->documentLockModeChanged(pDoc, before, after, after, nullptr);
        });
        return Zcad::eOk;
    }

    Zcad::ErrorStatus sendStringToExecute(ZcApDocument* pDoc, const wchar_t* text, bool activate,
                                          bool wrapUp, bool echo) override
    {
        mSent.push_back({pDoc, text != nullptr ? text : L"", activate, wrapUp, echo});
        if (text == nullptr || !known(pDoc))
            return Zcad::eInvalidInput;
        if (activate && pDoc != mCurrent)
            setCurDocument(pDoc, ZcAp::kNone, true);
        platform::Queue_Typed_Text(text);
        return Zcad::eOk;
    }

    Zcad::ErrorStatus setCurDocument(ZcApDocument* pDoc, ZcAp::DocLockMode mode, bool) override
    {
        if (!known(pDoc))
            return Zcad::eInvalidInput;
        if (pDoc != mCurrent) {
            ZcApDocument* old = mCurrent;
            if (old != nullptr)
                notify([&](ZcApDocManagerReactor* r) { r->documentToBeDeactivated(old); });
            notify([&](ZcApDocManagerReactor* r) { r->documentToBeActivated(pDoc); });
            mCurrent = pDoc;
            zcdbHostApplicationServices()->setWorkingDatabase(pDoc->database());
            notify([&](ZcApDocManagerReactor* r) { r->documentBecameCurrent(pDoc); });
            notify([&](ZcApDocManagerReactor* r) { r->documentActivated(pDoc); });
        }
        if (mode != ZcAp::kNone && mode != ZcAp::kNotLocked)
            return lockDocument(pDoc, mode, nullptr, nullptr, true);
        return Zcad::eOk;
    }

    Zcad::ErrorStatus activateDocument(ZcApDocument* pDoc, bool) override
    {
        return setCurDocument(pDoc, ZcAp::kNone, true);
    }

    Zcad::ErrorStatus appContextOpenDocument(const wchar_t* name) override
    {
        if (name == nullptr || *name == 0)
            return Zcad::eInvalidInput;
        auto database = std::make_unique<ZcDbDatabase>(false, false);
        Zcad::ErrorStatus es = database->readDwgFile(name);
        if (es != Zcad::eOk)
            return es;
        add(database.release(), true, name);
        return Zcad::eOk;
    }

    Zcad::ErrorStatus appContextNewDocument(const wchar_t*) override
    {
        add(new ZcDbDatabase(true, false), true, L"");
        return Zcad::eOk;
    }

    Zcad::ErrorStatus closeDocument(ZcApDocument* pDoc) override
    {
        if (!known(pDoc))
            return Zcad::eInvalidInput;
        notify([&](ZcApDocManagerReactor* r) { r->documentToBeDestroyed(pDoc); });
        std::wstring fileName = pDoc->fileName();
        auto it = std::find_if(mDocs.begin(), mDocs.end(),
                               [pDoc](const auto& d) { return d.get() == pDoc; });
        std::unique_ptr<ZcApDocument> closing = std::move(*it);
        mDocs.erase(it);
        if (mCurrent == pDoc) {
            mCurrent = nullptr;
            zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
            if (!mDocs.empty())
                setCurDocument(mDocs.back().get(), ZcAp::kNone, true);
        }
        closing.reset();
        notify([&](ZcApDocManagerReactor* r) { r->documentDestroyed(fileName.c_str()); });
        return Zcad::eOk;
    }

    void addReactor(ZcApDocManagerReactor* reactor) override
    {
        if (reactor != nullptr && std::find(mReactors.begin(), mReactors.end(), reactor) == mReactors.end())
            mReactors.push_back(reactor);
    }

    void removeReactor(ZcApDocManagerReactor* reactor) override
    {
        mReactors.erase(std::remove(mReactors.begin(), mReactors.end(), reactor), mReactors.end());
    }

    ZcApDocument* add(ZcDbDatabase* database, bool own, const std::wstring& fileName)
    {
        notify([&](ZcApDocManagerReactor* r) { r->documentCreateStarted(nullptr); });
        std::wstring title;
        if (fileName.empty())
            title = L"Drawing" + std::to_wstring(++mNewCount) + L".dxf";
        mDocs.push_back(std::unique_ptr<ZcApDocument>(new ZcApDocument(database, own, fileName, title)));
        ZcApDocument* doc = mDocs.back().get();
        setCurDocument(doc, ZcAp::kNone, true);
        notify([&](ZcApDocManagerReactor* r) { r->documentCreated(doc); });
        return doc;
    }

    void close_all()
    {
        while (!mDocs.empty())
            closeDocument(mDocs.back().get());
        mNewCount = 0;
    }

    void remove_all_reactors() { mReactors.clear(); }

    std::vector<platform::Sent_String> mSent;

private:
    bool known(const ZcApDocument* doc) const
    {
        return doc != nullptr && std::any_of(mDocs.begin(), mDocs.end(),
                                             [doc](const auto& d) { return d.get() == doc; });
    }

    template <class F>
    void notify(F&& notification)
    {
        std::vector<ZcApDocManagerReactor*> snapshot = mReactors;
        for (ZcApDocManagerReactor* reactor : snapshot)
            if (std::find(mReactors.begin(), mReactors.end(), reactor) != mReactors.end())
                notification(reactor);
    }

    std::vector<std::unique_ptr<ZcApDocument>> mDocs;
    ZcApDocument* mCurrent = nullptr;
    std::vector<ZcApDocManagerReactor*> mReactors;
    int mNewCount = 0;
};

namespace {

ZcApDocManagerImpl& Manager()
{
    static ZcApDocManagerImpl* manager = [] {
        ZcApDocument::rxInit();
        ZcApDocManager::rxInit();
        return new ZcApDocManagerImpl();
    }();
    return *manager;
}

}  // namespace

ZcApDocManager* zcDocManagerPtr() { return &Manager(); }

ZcAxDocLock::ZcAxDocLock() : ZcAxDocLock(zcDocManager->curDocument()) {}

ZcAxDocLock::ZcAxDocLock(ZcApDocument* pDoc, ZcAp::DocLockMode mode) : mDoc(pDoc)
{
    mStatus = pDoc == nullptr ? Zcad::eNoDatabase : zcDocManager->lockDocument(pDoc, mode);
    if (mStatus != Zcad::eOk)
        mDoc = nullptr;
}

ZcAxDocLock::~ZcAxDocLock()
{
    if (mDoc != nullptr && zcDocManager->document(mDoc->database()) == mDoc)
        zcDocManager->unlockDocument(mDoc);
}

namespace platform {

ZcApDocument* Add_Document(ZcDbDatabase* database, bool takeOwnership, const std::wstring& fileName)
{
    return Manager().add(database, takeOwnership, fileName);
}

void Close_All_Documents() { Manager().close_all(); }

const std::vector<Sent_String>& Sent_Strings() { return Manager().mSent; }

void Clear_Sent_Strings() { Manager().mSent.clear(); }

void Remove_All_Document_Reactors() { Manager().remove_all_reactors(); }

}  // namespace platform
