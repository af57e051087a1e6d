// The hall's console: every PC of the records folder as it stands, refreshed every second, and every record of a
// chosen day ranked in one list, which the supervisor sorts, opens, exports and prints.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/pure/Settings.h"
#include "hall/pure/DayResults.h"
#include "platform/Form.h"
#include "result/RecordPrinter.h"
#include "salon/HallWatch.h"
#include "salon/SalonWindowLayout.h"

namespace salon {

class TSalonForm : public platform::FormOf<TSalonForm> {
public:
    static constexpr UINT kReadMessage = WM_APP + 1;
    static constexpr UINT kPrintedMessage = WM_APP + 2;

    // `folder`: the records folder to watch; `settings` give the board's names and the printer for the list.
    TSalonForm(std::wstring folder, config::Settings settings);

    void KlasorSecClick(platform::EventArgs& args);
    void OncekiGunClick(platform::EventArgs& args);
    void SonrakiGunClick(platform::EventArgs& args);
    void BugunClick(platform::EventArgs& args);
    void TutanakAcClick(platform::EventArgs& args);
    void DisaAktarClick(platform::EventArgs& args);
    void YazdirClick(platform::EventArgs& args);
    void SonuclarColumnClick(platform::EventArgs& args);
    void SonuclarOpen(platform::EventArgs& args);

    // Shows a reading of the folder, as the watch's message brings it; the benchmark hands its own.
    void ShowReading(std::unique_ptr<HallReading> reading);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class HallRows : public platform::ListRows {
    public:
        explicit HallRows(const TSalonForm& form) : form_(form) {}
        std::wstring CellText(int row, int column) const override;
        std::optional<COLORREF> RowColour(int row) const override;

    private:
        const TSalonForm& form_;
    };
    class ResultRows : public platform::ListRows {
    public:
        explicit ResultRows(const TSalonForm& form) : form_(form) {}
        std::wstring CellText(int row, int column) const override;
        std::optional<COLORREF> RowColour(int row) const override;

    private:
        const TSalonForm& form_;
    };

    void ShowDay(std::string day);
    // Sorts by the chosen column, keeping the chosen exam (ChosenExam) chosen wherever it goes.
    void SortResults(const std::optional<std::string>& chosen);
    void ShowStatus();
    void Say(const std::string& message, UINT icon) const;
    // What tells apart the exam of the row the supervisor chose, or none.
    std::optional<std::string> ChosenExam() const;

    std::wstring folder_;
    config::Settings settings_;
    std::string day_;           // "2026-12-07"
    bool followsToday_ = true;  // the day shown was today when chosen, and turns with the date
    HallReading reading_;
    std::vector<std::size_t> order_;  // the results in the order shown: places in reading_.results
    int sortColumn_ = 0;
    bool ascending_ = true;
    std::string printStatus_;  // Windows-1254: how the last print ended
    HallRows hallRows_{*this};
    ResultRows resultRows_{*this};
    std::optional<HallWatch> watch_;
    std::optional<result::RecordPrinter> printer_;
};

}  // namespace salon
