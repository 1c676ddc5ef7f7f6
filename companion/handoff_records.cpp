#include "companion/handoff_records.h"

#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dbobject.h"
#include "script/utf8.h"
#include "win/win_files.h"

namespace companion {

namespace {

// The chain of the record (the caller releases it); null when there is none.
resbuf* Read_Record(const wchar_t* key) {
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    ZcDbDatabase* db = services != nullptr ? services->workingDatabase() : nullptr;
    if (db == nullptr) return nullptr;
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk) return nullptr;
    resbuf* chain = nullptr;
    ZcDbObject* entry = nullptr;
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    if (named != nullptr && named->getAt(key, entry, ZcDb::kForRead) == Zcad::eOk) {
        ZcDbObject* record = nullptr;
        ZcDbDictionary* ours = ZcDbDictionary::cast(entry);
        if (ours != nullptr && ours->getAt(key, record, ZcDb::kForRead) == Zcad::eOk) {
            if (ZcDbXrecord* xrecord = ZcDbXrecord::cast(record)) xrecord->rbChain(&chain);
            record->close();
        }
        entry->close();
    }
    object->close();
    return chain;
}

bool Take_Int(const resbuf*& item, int& value) {
    if (item == nullptr || item->restype != 90) return false;
    value = item->resval.rlong;
    item = item->rbnext;
    return true;
}

bool Take_Text(const resbuf*& item, std::wstring& value) {
    if (item == nullptr || item->restype != 1 || item->resval.rstring == nullptr) return false;
    value = item->resval.rstring;
    item = item->rbnext;
    return true;
}

struct Chain {
    resbuf* head;
    ~Chain() {
        if (head != nullptr) zcutRelRb(head);
    }
};

}  // namespace

std::optional<Merge_Job> Read_Merge_Infor(std::wstring& error) {
    Chain chain{Read_Record(L"Merge_Infor")};
    if (chain.head == nullptr) {
        error = L"the drawing holds no Merge_Infor";
        return std::nullopt;
    }
    const resbuf* item = chain.head;
    int count = 0;
    Merge_Job job;
    if (!Take_Int(item, count) || count < 0 || !Take_Text(item, job.target_text) || job.target_text.empty()) {
        error = L"Merge_Infor does not begin with a file count and a target";
        return std::nullopt;
    }
    job.target = platform::To_Host_Path(job.target_text);
    for (int i = 0; i < count; ++i) {
        std::wstring file, title;
        if (!Take_Text(item, file) || !Take_Text(item, title)) {
            error = L"Merge_Infor holds fewer files than it counts";
            return std::nullopt;
        }
        job.inputs.push_back({platform::To_Host_Path(file), platform::To_Utf8(title)});
    }
    if (job.target.empty()) {
        error = L"the target " + job.target_text + L" is not a path of this machine";
        return std::nullopt;
    }
    return job;
}

std::optional<Rotate_Job> Read_Rotate_Flag(std::wstring& error) {
    Chain chain{Read_Record(L"PDF_Rotate_Flag")};
    if (chain.head == nullptr) {
        error = L"the drawing holds no PDF_Rotate_Flag";
        return std::nullopt;
    }
    const resbuf* item = chain.head;
    Rotate_Job job;
    if (!Take_Int(item, job.degrees) || !Take_Text(item, job.file_text)) {
        error = L"PDF_Rotate_Flag does not hold an angle and a file";
        return std::nullopt;
    }
    job.file = platform::To_Host_Path(job.file_text);
    return job;
}

}  // namespace companion
