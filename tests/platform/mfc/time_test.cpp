// CTime and COleDateTime: calendar arithmetic, the machine's clock, and the date
// picker and its data exchange carrying both.
#include "dialog_test_support.h"
#include "mfc/afxcmn.h"
#include "mfc/afxtime.h"
#include "win/machine.h"

namespace {

struct DayStep {
    int year, month, day, days;
    int to_year, to_month, to_day;
};

const DayStep kSteps[] = {
    {2024, 2, 28, 1, 2024, 2, 29},   // leap year
    {2023, 2, 28, 1, 2023, 3, 1},    // common year
    {2000, 2, 28, 1, 2000, 2, 29},   // every fourth century is leap
    {2100, 2, 28, 1, 2100, 3, 1},    // other centuries are not
    {2024, 4, 30, 1, 2024, 5, 1},    // 30-day month
    {2024, 12, 31, 1, 2025, 1, 1},   // year end
    {2024, 1, 31, 30, 2024, 3, 1},   // across a leap February
    {2025, 3, 1, -1, 2025, 2, 28},   // back over a common February
    {2024, 1, 1, 366, 2025, 1, 1},   // a leap year long
};

TEST(TimeTest, DayStepsCrossMonthEndsAndLeapYears) {
    for (const DayStep& s : kSteps) {
        SCOPED_TRACE(testing::Message() << s.year << "-" << s.month << "-" << s.day << " + " << s.days);
        const CTime from(s.year, s.month, s.day, 12, 0, 0);
        const CTime to = from + CTimeSpan(s.days, 0, 0, 0);
        EXPECT_EQ(to.GetYear(), s.to_year);
        EXPECT_EQ(to.GetMonth(), s.to_month);
        EXPECT_EQ(to.GetDay(), s.to_day);
        EXPECT_EQ((to - from).GetDays(), s.days);

        const COleDateTime ole_from(s.year, s.month, s.day, 12, 0, 0);
        const COleDateTime ole_to = ole_from + COleDateTimeSpan(s.days, 0, 0, 0);
        EXPECT_EQ(ole_to.GetYear(), s.to_year);
        EXPECT_EQ(ole_to.GetMonth(), s.to_month);
        EXPECT_EQ(ole_to.GetDay(), s.to_day);
        EXPECT_EQ(ole_to.GetHour(), 12);
        EXPECT_EQ((ole_to - ole_from).GetDays(), s.days);
        EXPECT_DOUBLE_EQ((ole_to - ole_from).GetTotalDays(), s.days);
        EXPECT_EQ(ole_to - COleDateTimeSpan(s.days, 0, 0, 0), ole_from);
    }
}

TEST(TimeTest, FieldsFormatAndOrder) {
    const CTime t(2024, 5, 6, 7, 8, 9);
    EXPECT_EQ(t.GetHour(), 7);
    EXPECT_EQ(t.GetMinute(), 8);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 2);  // a Monday
    EXPECT_EQ(CString(t.Format(L"%Y-%m-%d %H:%M:%S")), CString(L"2024-05-06 07:08:09"));
    SYSTEMTIME st{};
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), t);
    EXPECT_LT(t, t + CTimeSpan(1));
    EXPECT_GT(t, t - CTimeSpan(1));
    EXPECT_EQ(CTime(t.GetTime()), t);

    const COleDateTime ole(2024, 5, 6, 7, 8, 9);
    EXPECT_EQ(ole.GetDayOfWeek(), 2);
    EXPECT_EQ(ole.GetDayOfYear(), 127);
    EXPECT_EQ(CString(ole.Format(L"%Y-%m-%d %H:%M:%S")), CString(L"2024-05-06 07:08:09"));
    EXPECT_EQ(COleDateTime(t), ole);
    EXPECT_LT(ole, ole + COleDateTimeSpan(0, 0, 0, 1));
    EXPECT_DOUBLE_EQ(static_cast<DATE>(COleDateTime(1899, 12, 30, 12, 0, 0)), 0.5);
}

TEST(TimeTest, OleDatesBeforeTheEpochKeepTheirTimeOfDay) {
    const COleDateTime early(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(static_cast<DATE>(early), -1.25);
    EXPECT_EQ(early.GetDay(), 29);
    EXPECT_EQ(early.GetHour(), 6);
    const COleDateTime next = early + COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(static_cast<DATE>(next), 0.25);
    EXPECT_LT(early, next);
    EXPECT_DOUBLE_EQ((next - early).GetTotalDays(), 1.0);
}

TEST(TimeTest, OleDatesOutOfRangeAreInvalid) {
    struct Fields { int y, m, d, h, min, s; };
    const Fields bad[] = {{2023, 2, 29, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {2024, 13, 1, 0, 0, 0},
                          {2024, 1, 0, 0, 0, 0},  {99, 1, 1, 0, 0, 0},    {2024, 1, 1, 24, 0, 0},
                          {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, -1}};
    for (const Fields& f : bad) {
        COleDateTime d;
        EXPECT_EQ(d.SetDateTime(f.y, f.m, f.d, f.h, f.min, f.s), 1) << f.y << "-" << f.m << "-" << f.d;
        EXPECT_EQ(d.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(d.GetYear(), -1);
        EXPECT_TRUE(d.Format(L"%Y").IsEmpty());
    }
    COleDateTime leap;
    EXPECT_EQ(leap.SetDate(2024, 2, 29), 0);
    EXPECT_EQ(leap.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(leap.GetDay(), 29);
}

TEST(TimeTest, CurrentTimeIsTheMachineClock) {
    auto& machine = platform::Machine::instance();
    machine.set_local_time(SYSTEMTIME{2026, 12, 0, 8, 23, 14, 30, 0});
    const CTime now = CTime::GetCurrentTime();
    const COleDateTime ole_now = COleDateTime::GetCurrentTime();
    machine.set_local_time(SYSTEMTIME{2031, 1, 0, 2, 3, 4, 5, 0});
    const CTime later = CTime::GetCurrentTime();
    machine.clear_local_time();

    EXPECT_EQ(CString(now.Format(L"%Y-%m-%d %H:%M:%S")), CString(L"2026-12-08 23:14:30"));
    EXPECT_EQ(CString(ole_now.Format(L"%Y-%m-%d %H:%M:%S")), CString(L"2026-12-08 23:14:30"));
    EXPECT_EQ(later.GetYear(), 2031);
    EXPECT_EQ(later.GetSecond(), 5);
}

// Sets the picker from a CTime and a COleDateTime and reads each back (an invalid
// COleDateTime is refused); the dialog's
// data exchange carries `when` and `ole_when` in and out.
class DatedTimes : public CDialog {
public:
    DatedTimes() : CDialog(IDD_VALUES) {}
    CTime when, read_time;
    COleDateTime ole_when, read_ole;
    bool use_ole = false;
    bool invalid_refused = false;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_date.SubclassDlgItem(IDC_DATE, this);
        EXPECT_TRUE(m_date.SetTime(&when));
        EXPECT_EQ(m_date.GetTime(read_time), static_cast<DWORD>(GDT_VALID));
        EXPECT_TRUE(m_date.SetTime(ole_when));
        EXPECT_TRUE(m_date.GetTime(read_ole));
        COleDateTime bad;
        bad.SetDate(2023, 2, 29);
        invalid_refused = !m_date.SetTime(bad);
        UpdateData(FALSE);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        if (use_ole) DDX_DateTimeCtrl(pDX, IDC_DATE, ole_when);
        else DDX_DateTimeCtrl(pDX, IDC_DATE, when);
    }
    CDateTimeCtrl m_date;
};

class DatePickerTimeTest : public DialogTest {};

TEST_F(DatePickerTimeTest, PickerRoundTripsCTimeAndOleDateTime) {
    for (bool use_ole : {false, true}) {
        SCOPED_TRACE(use_ole ? "COleDateTime exchange" : "CTime exchange");
        Script("text 1012 \"2025-07-08\"\nclick 1\n");
        DatedTimes dialog;
        dialog.use_ole = use_ole;
        dialog.when = CTime(2024, 2, 29, 10, 20, 30);
        dialog.ole_when = COleDateTime(2023, 12, 31, 1, 2, 3);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.read_time, CTime(2024, 2, 29, 10, 20, 30));
        EXPECT_EQ(dialog.read_ole, COleDateTime(2023, 12, 31, 1, 2, 3));
        EXPECT_TRUE(dialog.invalid_refused);
        if (use_ole) {
            EXPECT_EQ(CString(dialog.ole_when.Format(L"%Y-%m-%d")), CString(L"2025-07-08"));
        } else {
            EXPECT_EQ(CString(dialog.when.Format(L"%Y-%m-%d")), CString(L"2025-07-08"));
        }
    }
}

}  // namespace
