// What a plot or preview engine plots: the layout, the settings that override the layout's
// own (both as the caller gives them), and the page; the plot info validator checks the
// settings against the plot devices before an engine takes them.
#pragma once

#include <memory>

#include "db/dbid.h"
#include "db/dblayout.h"
#include "rx/zcadstrc.h"

class ZcPlPlotPageInfo {
public:
    ZcPlPlotPageInfo() = default;
    virtual ~ZcPlPlotPageInfo() = default;
    // Counts of what the page draws; this host keeps none.
    long entityCount() const { return 0; }
};

class ZcPlPlotInfo {
public:
    ZcPlPlotInfo() = default;
    virtual ~ZcPlPlotInfo() = default;

    void setLayout(const ZcDbObjectId& layoutId) { mLayoutId = layoutId; mValidated.reset(); }
    ZcDbObjectId layout() const { return mLayoutId; }
    // A copy of the settings is kept; nullptr plots the layout's own settings.
    void setOverrideSettings(const ZcDbPlotSettings* pOverrides);
    const ZcDbPlotSettings* overrideSettings() const { return mOverrides.get(); }

    bool isValidated() const { return mValidated != nullptr; }
    // The settings the validator accepted (null before validation).
    const ZcDbPlotSettings* validatedSettings() const { return mValidated.get(); }

private:
    friend class ZcPlPlotInfoValidator;
    ZcDbObjectId mLayoutId;
    std::unique_ptr<ZcDbPlotSettings> mOverrides;
    std::unique_ptr<ZcDbPlotSettings> mValidated;
};

class ZcPlPlotInfoValidator {
public:
    enum MatchingPolicy { kMatchDisabled = 0, kMatchEnabled = 1, kMatchEnabledCustom = 2, kMatchEnabledTmpCustom = 3 };

    ZcPlPlotInfoValidator() = default;
    virtual ~ZcPlPlotInfoValidator() = default;

    void setMediaMatchingPolicy(MatchingPolicy policy) { mPolicy = policy; }
    MatchingPolicy matchingPolicy() const { return mPolicy; }
    // Checks the layout and the settings (overrides, else the layout's): a known device other
    // than "None" and a media it offers. eOk marks the info validated.
    virtual Zcad::ErrorStatus validate(ZcPlPlotInfo& info);

private:
    MatchingPolicy mPolicy = kMatchDisabled;
};
