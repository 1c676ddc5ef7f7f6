#include "companion/pdf_jobs.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>

#include "script/utf8.h"
#include "win/safe_file_write.h"

namespace fs = std::filesystem;

namespace companion {

namespace {

// Hands the writer's bytes to the file being written; a failed write ends the writer.
class File_Pipeline : public Pipeline {
public:
    explicit File_Pipeline(platform::Safe_File_Write& file) : Pipeline("file", nullptr), file_(file) {}
    void write(unsigned char const* data, size_t length) override {
        if (!file_.write(data, length)) throw std::runtime_error(platform::To_Utf8(file_.error()));
    }
    void finish() override {}

private:
    platform::Safe_File_Write& file_;
};

// Writes the document through a temporary file that replaces `target` once it was written whole.
std::string Write_Replacing(QPDF& pdf, const fs::path& target) {
    platform::Safe_File_Write file(platform::From_Utf8(target.string()));
    if (file.failed()) return platform::To_Utf8(file.error());
    try {
        File_Pipeline pipeline(file);
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&pipeline);
        // Page contents pass through as they are: no decoding and recompressing.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.write();
    } catch (const std::exception& e) {
        return file.failed() ? platform::To_Utf8(file.error()) : e.what();
    }
    return file.commit() ? std::string() : platform::To_Utf8(file.error());
}

// One outline entry: the title and a fit view of the page.
QPDFObjectHandle Outline_Item(QPDF& pdf, const std::string& title, QPDFObjectHandle page) {
    QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
    QPDFObjectHandle destination = QPDFObjectHandle::newArray();
    destination.appendItem(page);
    destination.appendItem(QPDFObjectHandle::newName("/Fit"));
    item.replaceKey("/Dest", destination);
    return item;
}

// The document outline: one top-level entry per (title, first page).
void Write_Outline(QPDF& pdf, const std::vector<std::pair<std::string, QPDFObjectHandle>>& entries) {
    if (entries.empty()) return;
    QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    std::vector<QPDFObjectHandle> items;
    items.reserve(entries.size());
    for (const auto& [title, page] : entries) items.push_back(Outline_Item(pdf, title, page));
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].replaceKey("/Parent", outlines);
        if (i > 0) items[i].replaceKey("/Prev", items[i - 1]);
        if (i + 1 < items.size()) items[i].replaceKey("/Next", items[i + 1]);
    }
    outlines.replaceKey("/First", items.front());
    outlines.replaceKey("/Last", items.back());
    outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(items.size())));
    QPDFObjectHandle root = pdf.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
}

}  // namespace

Merge_Result Merge_Pdf_Files(const std::vector<Merge_Input>& inputs, const fs::path& target) {
    Merge_Result result;
    QPDF out;
    out.emptyPDF();
    QPDFPageDocumentHelper out_pages(out);
    // The sources stay open until the target is written: page data is read then.
    std::vector<std::unique_ptr<QPDF>> sources;
    std::vector<std::pair<std::string, QPDFObjectHandle>> outline;
    size_t page_count = 0;
    for (const Merge_Input& input : inputs) {
        auto source = std::make_unique<QPDF>();
        source->setSuppressWarnings(true);
        std::vector<QPDFPageObjectHelper> pages;
        try {
            source->processFile(input.file.c_str());
            pages = QPDFPageDocumentHelper(*source).getAllPages();
        } catch (const std::exception& e) {
            result.skipped.push_back(input.file.string() + ": " + e.what());
            continue;
        }
        if (pages.empty()) {
            result.skipped.push_back(input.file.string() + ": no pages");
            continue;
        }
        const size_t first = page_count;
        try {
            for (auto& page : pages) out_pages.addPage(page, false);
        } catch (const std::exception& e) {
            result.skipped.push_back(input.file.string() + ": " + e.what());
            continue;
        }
        page_count += pages.size();
        outline.emplace_back(input.title, out.getAllPages().at(first));
        sources.push_back(std::move(source));
        ++result.joined;
    }
    if (result.joined == 0) {
        result.error = "no readable PDF among the " + std::to_string(inputs.size()) + " input files";
        return result;
    }
    Write_Outline(out, outline);
    result.error = Write_Replacing(out, target);
    if (!result.error.empty()) result.joined = 0;
    return result;
}

std::string Rotate_Pdf_File(const fs::path& file, int degrees) {
    if (degrees % 90 != 0) return "the angle " + std::to_string(degrees) + " is not a multiple of 90";
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    try {
        pdf.processFile(file.c_str());
        for (auto& page : QPDFPageDocumentHelper(pdf).getAllPages()) page.rotatePage(degrees, true);
    } catch (const std::exception& e) {
        return e.what();
    }
    return Write_Replacing(pdf, file);
}

}  // namespace companion
