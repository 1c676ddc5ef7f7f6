// An output file written beside its target under a name of its own, which replaces the
// target only once it was written whole: a failed write leaves the earlier file as it was,
// and "the new file is there" is never answered by the earlier one.
#pragma once

#include "mfc/afxstr.h"

class Fresh_Output {
public:
    // Removes a leftover of an earlier, interrupted run at the fresh name.
    explicit Fresh_Output(const CString& target);
    // Removes the fresh file when it did not replace the target.
    ~Fresh_Output();
    Fresh_Output(const Fresh_Output&) = delete;
    Fresh_Output& operator=(const Fresh_Output&) = delete;

    const CString& Target() const { return m_Target; }
    // Where the writer writes: "<name>.~new<ext>" beside the target, keeping its extension.
    const CString& Path() const { return m_Path; }
    // A file is at Path().
    bool Written() const;
    // Renames the fresh file over the target (its read-only and hidden attributes cleared
    // first). False, with the target as it was, when nothing was written or the rename
    // failed (the thread's last error then says why).
    bool Replace_Target();

private:
    CString m_Target;
    CString m_Path;
};

// The fresh name of a target: "<name>.~new<ext>"; empty for an empty target.
CString Fresh_Output_Path(const CString& target);
