// A scope guard that locks the current document for writing while it lives.
#pragma once

class ZcApDocument;

class Doc_Lock {
public:
    // Locks the host's current document for write (no command names, prompting
    // allowed); nothing when there is no current document.
    Doc_Lock();
    // Unlocks the document it locked.
    ~Doc_Lock();
    Doc_Lock(const Doc_Lock&) = delete;
    Doc_Lock& operator=(const Doc_Lock&) = delete;

    bool Is_Locked() const { return m_Document != nullptr; }

private:
    ZcApDocument* m_Document = nullptr;
};
