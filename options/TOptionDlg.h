#pragma once
// The display options dialog "オプション": the columns of the frame list and
// their order, the data split, the colours of the list, the detail window
// and the lamps, and the behaviour switches. It shows a DisplayOptionsEditor
// and hands the user's changes to it.
#include <QDialog>

#include <array>

#include "options/DisplayOptions.h"
#include "options/DisplayOptionsEditor.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TColourBox;

class TOptionDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOptionDlg(QWidget* parent = nullptr);

    void Load(const DisplayOptions& record);
    void Store(DisplayOptions& record) const;

    enum Button { kAdd, kLineBreak, kRemove, kButtons };
    QTabWidget* Tabs() { return tabs_; }
    QListWidget* AvailableList() { return available_; }
    QListWidget* ShownList() { return shown_; }
    QPushButton* ColumnButton(Button which) { return buttons_[which]; }
    TColourBox* ColourBox(DisplayOptionsEditor::Colour which) { return colours_[which]; }
    QCheckBox* SwitchBox(DisplayOptionsEditor::Switch which) { return switches_[which]; }
    QRadioButton* SplitButton(int index) { return splits_[static_cast<size_t>(index)]; }
    QPushButton* OkButton() { return ok_; }

private:
    QWidget* BuildDataTab();
    QWidget* BuildDetailTab();
    QWidget* BuildLampTab();
    QWidget* BuildOtherTab();
    void AddColourRow(QWidget* tab, class QFormLayout* form, DisplayOptionsEditor::Colour which, const char* label);
    QCheckBox* AddSwitch(QWidget* tab, DisplayOptionsEditor::Switch which, const char* label);
    // The controls from the editor.
    void ShowAll();
    void ShowColumns();

    DisplayOptionsEditor editor_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* available_ = nullptr;
    QListWidget* shown_ = nullptr;
    std::array<QPushButton*, kButtons> buttons_{};
    std::array<TColourBox*, DisplayOptionsEditor::kColours> colours_{};
    std::array<QCheckBox*, DisplayOptionsEditor::kSwitches> switches_{};
    std::array<QRadioButton*, DisplayOptionsEditor::kSplits> splits_{};
    QPushButton* ok_ = nullptr;
};
