// Plot and preview engines and the factory that makes them. An engine is driven in this
// order: beginPlot, beginDocument, (beginPage, beginGenerateGraphics, endGenerateGraphics,
// endPage)..., endDocument, endPlot, destroy. A call out of order gives eInvalidInput.
//
// The preview engine draws the page with the plot engine when the graphics are generated
// and waits in endPage for the user's choice: an `answer` of "next", "previous", "plot" or
// "close", Enter (close) or Esc (cancel), from the answer list, typed text (a cancel
// character cancels) or the script; meanwhile `key` steps reach the message watchers and a
// `snapshot "PATH.png"` step saves the preview window's image.
#pragma once

#include "plot/zcplplotinfo.h"
#include "rx/zcadstrc.h"

class ZcPlPlotProgressDialog;

// What endPage of a preview reports.
struct ZcPlPreviewEndPlotInfo {
    enum PreviewStatus { kNormal = 0, kPlot = 1, kCancel = 2, kNext = 3, kPrevious = 4 };
    PreviewStatus mStatus = kNormal;
};

class ZcPlPlotEngine {
public:
    virtual Zcad::ErrorStatus beginPlot(ZcPlPlotProgressDialog* pPlotProgress, void* pParams = nullptr) = 0;
    virtual Zcad::ErrorStatus endPlot(void* pParams = nullptr) = 0;
    virtual Zcad::ErrorStatus beginDocument(ZcPlPlotInfo& plotInfo, const wchar_t* pDocname, void* pParams = nullptr,
                                            long nCopies = 1, bool bPlotToFile = false,
                                            const wchar_t* pFileName = nullptr) = 0;
    virtual Zcad::ErrorStatus endDocument(void* pParams = nullptr) = 0;
    virtual Zcad::ErrorStatus beginPage(ZcPlPlotPageInfo& pageInfo, ZcPlPlotInfo& plotInfo, bool bLastPage,
                                        void* pParams = nullptr) = 0;
    // A preview's pParams is a ZcPlPreviewEndPlotInfo* that receives the user's choice.
    virtual Zcad::ErrorStatus endPage(void* pParams = nullptr) = 0;
    virtual Zcad::ErrorStatus beginGenerateGraphics(void* pParams = nullptr) = 0;
    virtual Zcad::ErrorStatus endGenerateGraphics(void* pParams = nullptr) = 0;
    virtual bool isBackgroundPackaging() const { return false; }
    // Ends the engine (the caller's pointer is invalid afterwards).
    virtual void destroy() = 0;

protected:
    virtual ~ZcPlPlotEngine() = default;
};

namespace ZcPlPlotFactory {

enum PreviewEngineFlags { kShowPlot = 0x0000, kShowNextSheet = 0x0002, kShowPreviousSheet = 0x0004 };
enum ProcessPlotState { kNotPlotting = 0, kForegroundPlotInProgress, kBackgroundPlotInProgress };

// One engine at a time: eNotApplicable while another one exists.
Zcad::ErrorStatus createPreviewEngine(ZcPlPlotEngine*& pPreviewEngine, long nPreviewFlags = kShowPlot);
ProcessPlotState processPlotState();

}  // namespace ZcPlPlotFactory
