#include "output_name_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt_text.h"

namespace zovedit {

namespace {

QLineEdit* path_edit(QVBoxLayout* layout, const char* label, const std::string& path, int id,
                     QWidget* parent) {
    layout->addWidget(new QLabel(ui(label), parent));
    auto* edit = new QLineEdit(from_cp932(path), parent);
    edit->setObjectName(QStringLiteral("control_%1").arg(id));
    // The name used is always the one the rule made, so it is shown, not edited.
    edit->setReadOnly(true);
    edit->setMinimumWidth(460);
    layout->addWidget(edit);
    return edit;
}

// A group of radio buttons numbered from `first_id`, choice i checked.
QButtonGroup* radio_group(QVBoxLayout* layout, const char* title,
                          std::initializer_list<const char*> texts, int first_id, int checked,
                          QWidget* parent) {
    auto* box = new QGroupBox(ui(title), parent);
    auto* box_layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(parent);
    int choice = 0;
    for (const char* text : texts) {
        auto* button = new QRadioButton(ui(text), box);
        button->setObjectName(QStringLiteral("control_%1").arg(first_id + choice));
        group->addButton(button, choice);
        box_layout->addWidget(button);
        ++choice;
    }
    if (QAbstractButton* button = group->button(checked)) button->setChecked(true);
    layout->addWidget(box);
    return group;
}

}  // namespace

OutputNameDialog::OutputNameDialog(zov::AnalyserContext& context, const std::string& source_path,
                                   QWidget* parent)
    : QDialog(parent), form_(context, source_path) {
    setWindowTitle(ui("生成するＤＸＦファイル名"));
    auto* layout = new QVBoxLayout(this);
    path_edit(layout, "変換前のＤＸＦファイル名", form_.source_path(), 1001, this);
    output_ = path_edit(layout, "変換後のＤＸＦファイル名", form_.output_path(), 1002, this);
    QButtonGroup* rules = radio_group(layout, "新規生成(変換)するファイル名",
                                      {"前に _ を付ける ・・・・・ZovEditDxf.dxf→_ZovEditDxf.dxf",
                                       "後ろに $ と連番を付ける ・ZovEditDxf.dxf→ZovEditDxf$1.dxf",
                                       "８文字にする・・・・・・・ZovEditDxf.DXF→ZovEdi$1.dxf"},
                                      1004, form_.rule(), this);
    connect(rules, &QButtonGroup::idClicked, this, [this](int rule) {
        form_.choose_rule(rule);
        output_->setText(from_cp932(form_.output_path()));
    });
    QButtonGroup* line_ends =
        radio_group(layout, "出力するテキストファイル形式",
                    {"Ｗｉｎｄｏｗｓ（ＭＳ－ＤＯＳ）", "Ｍａｃｉｎｔｏｓｈ", "ＵＮＩＸ"}, 1007,
                    form_.line_end() - 1, this);
    connect(line_ends, &QButtonGroup::idClicked, this,
            [this](int choice) { form_.choose_line_end(choice + 1); });
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(ui("Ｏ  Ｋ"), QDialogButtonBox::AcceptRole);
    buttons->addButton(ui("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void OutputNameDialog::done(int result) {
    form_.close();
    QDialog::done(result);
}

}  // namespace zovedit
