#include "options/TOptionDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "options/TColourBox.h"
#include "ui/OkCancelButtons.h"
#include "ui/WindowFonts.h"

namespace {

void Fill(QListWidget& list, const std::vector<std::string>& rows, int selected) {
    const QSignalBlocker block(list);
    list.clear();
    for (const std::string& row : rows) list.addItem(QtText::FromCp932(row));
    list.setCurrentRow(selected);
}

}  // namespace

TOptionDlg::TOptionDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QtText::Literal("オプション"));
    setFont(WindowFonts::WindowFont());

    tabs_ = new QTabWidget(this);
    tabs_->addTab(BuildDataTab(), QtText::Literal("データ表示"));
    tabs_->addTab(BuildDetailTab(), QtText::Literal("詳細表示"));
    tabs_->addTab(BuildLampTab(), QtText::Literal("情報表示"));
    tabs_->addTab(BuildOtherTab(), QtText::Literal("その他"));

    QDialogButtonBox* box = OkCancelButtons::Make(*this, &ok_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(box);
    // The available list as a fresh dialog has it.
    editor_.Columns().Reset();
    ShowAll();
}

void TOptionDlg::AddColourRow(QWidget* tab, QFormLayout* form, DisplayOptionsEditor::Colour which,
                              const char* label) {
    auto* box = new TColourBox(tab);
    box->setFixedWidth(160);
    colours_[which] = box;
    connect(box, &QComboBox::currentIndexChanged, this, [this, which](int index) {
        editor_.SetColourIndex(which, index);
    });
    form->addRow(QtText::Literal(label), box);
}

QCheckBox* TOptionDlg::AddSwitch(QWidget* tab, DisplayOptionsEditor::Switch which, const char* label) {
    auto* check = new QCheckBox(QtText::Literal(label), tab);
    switches_[which] = check;
    connect(check, &QCheckBox::toggled, this, [this, which](bool on) { editor_.SetSwitch(which, on); });
    return check;
}

QWidget* TOptionDlg::BuildDataTab() {
    auto* tab = new QWidget;
    auto* colours = new QFormLayout;
    AddColourRow(tab, colours, DisplayOptionsEditor::kFirstLine, "一行目の表示色");
    AddColourRow(tab, colours, DisplayOptionsEditor::kError, "エラーの表示色");

    available_ = new QListWidget(tab);
    shown_ = new QListWidget(tab);
    connect(available_, &QListWidget::currentRowChanged, this,
            [this](int row) { editor_.Columns().SelectAvailable(row); });
    connect(shown_, &QListWidget::currentRowChanged, this, [this](int row) { editor_.Columns().SelectShown(row); });
    const char* captions[kButtons] = {"追加>>", "改行>>", "<<削除"};
    void (ColumnListEditor::*actions[kButtons])() = {&ColumnListEditor::Add, &ColumnListEditor::AddLineBreak,
                                                     &ColumnListEditor::Remove};
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < kButtons; ++i) {
        buttons_[i] = new QPushButton(QtText::Literal(captions[i]), tab);
        connect(buttons_[i], &QPushButton::clicked, this, [this, action = actions[i]] {
            (editor_.Columns().*action)();
            ShowColumns();
        });
        buttons->addWidget(buttons_[i]);
    }
    buttons->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QtText::Literal("表示できる項目"), tab), 0, 0);
    lists->addWidget(new QLabel(QtText::Literal("表示する項目と順番"), tab), 0, 2);
    lists->addWidget(available_, 1, 0);
    lists->addLayout(buttons, 1, 1);
    lists->addWidget(shown_, 1, 2);

    auto* split = new QGroupBox(QtText::Literal("データ分割"), tab);
    auto* splitRow = new QHBoxLayout(split);
    auto* group = new QButtonGroup(split);
    const char* names[DisplayOptionsEditor::kSplits] = {"なし", "8byte", "16byte", "32byte"};
    for (int i = 0; i < DisplayOptionsEditor::kSplits; ++i) {
        splits_[static_cast<size_t>(i)] = new QRadioButton(QtText::Literal(names[i]), split);
        group->addButton(splits_[static_cast<size_t>(i)], i);
        splitRow->addWidget(splits_[static_cast<size_t>(i)]);
    }
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) editor_.SetSplitRadio(id);
    });

    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(colours);
    layout->addLayout(lists, 1);
    layout->addWidget(split);
    return tab;
}

QWidget* TOptionDlg::BuildDetailTab() {
    auto* tab = new QWidget;
    auto* colours = new QFormLayout;
    AddColourRow(tab, colours, DisplayOptionsEditor::kTitle, "分類ﾀｲﾄﾙ表示色");
    AddColourRow(tab, colours, DisplayOptionsEditor::kIcon, "詳細ｱｲｺﾝ表示色");
    AddColourRow(tab, colours, DisplayOptionsEditor::kSeparator, "情報要素区切表示色");
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(colours);
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kShowTitles, "分類ﾀｲﾄﾙ表示"));
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kShowIcons, "詳細ｱｲｺﾝ表示"));
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kShowSeparators, "情報要素区切表示"));
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kIndent, "インデント表示"));
    layout->addStretch();
    return tab;
}

QWidget* TOptionDlg::BuildLampTab() {
    auto* tab = new QWidget;
    auto* colours = new QFormLayout;
    AddColourRow(tab, colours, DisplayOptionsEditor::kLampActive, "活性状態表示色");
    AddColourRow(tab, colours, DisplayOptionsEditor::kLampInactive, "非活性状態表示色");
    AddColourRow(tab, colours, DisplayOptionsEditor::kLampFault, "回線異常表示色");
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(colours);
    layout->addStretch();
    return tab;
}

QWidget* TOptionDlg::BuildOtherTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kUniqueFileName, "ﾃﾞｰﾀ保存時ﾕﾆｰｸなﾌｧｲﾙ名を使用する"));
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kSearchHiddenText, "検索時実際に表示されていない文字列も含める"));
    layout->addWidget(AddSwitch(tab, DisplayOptionsEditor::kExportDetail, "表示ｲﾒｰｼﾞ保存時に詳細を含む"));
    layout->addStretch();
    return tab;
}

void TOptionDlg::Load(const DisplayOptions& record) {
    editor_.Load(record);
    ShowAll();
}

void TOptionDlg::Store(DisplayOptions& record) const { editor_.Store(record); }

void TOptionDlg::ShowColumns() {
    const ColumnListEditor& columns = editor_.Columns();
    Fill(*available_, columns.Available(), columns.AvailableSelection());
    Fill(*shown_, columns.Shown(), columns.ShownSelection());
}

void TOptionDlg::ShowAll() {
    ShowColumns();
    for (int i = 0; i < DisplayOptionsEditor::kColours; ++i) {
        const QSignalBlocker block(colours_[i]);
        colours_[i]->setCurrentIndex(editor_.ColourIndex(DisplayOptionsEditor::Colour(i)));
    }
    for (int i = 0; i < DisplayOptionsEditor::kSwitches; ++i) {
        const QSignalBlocker block(switches_[i]);
        switches_[i]->setChecked(editor_.SwitchOn(DisplayOptionsEditor::Switch(i)));
    }
    const QSignalBlocker block(splits_[static_cast<size_t>(editor_.SplitRadio())]->group());
    splits_[static_cast<size_t>(editor_.SplitRadio())]->setChecked(true);
}
