#include "options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "analyser/item_index.h"
#include "qt_text.h"
#include "view_font.h"

namespace zovedit {

namespace {

constexpr QSize kClientSize(526, 372);
constexpr int kControlFontPixels = 11;

template <typename Widget>
Widget* place(Widget* widget, int left, int top, int right, int bottom, int id) {
    widget->setGeometry(QRect(QPoint(left, top), QPoint(right, bottom)));
    widget->setProperty("control_id", id);
    widget->setObjectName(QStringLiteral("control_%1").arg(id));
    return widget;
}

}  // namespace

OptionsDialog::OptionsDialog(zov::AnalyserContext& context, const std::string& dxf_path,
                             QWidget* parent)
    : QDialog(parent), form_(context), context_(context) {
    setWindowTitle(ui("ＤＸＦファイル解析方法の設定"));
    setFixedSize(kClientSize);
    setMouseTracking(true);
    // The controls stand where the hover help expects them, at a size that
    // fits a small CP932 face.
    QFont face = monospace_face();
    face.setStyleHint(QFont::SansSerif);
    face.setFixedPitch(false);
    face.setPixelSize(kControlFontPixels);
    setFont(face);
    build_controls(dxf_path);
    show_item_controls();
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
}

void OptionsDialog::build_controls(const std::string& dxf_path) {
    zov::AnalyserSettings& s = context_.settings;
    auto* methods = new QGroupBox(ui("◆解析の方法"), this);
    methods->setGeometry(2, 28, 256, 126);
    auto* groups = new QGroupBox(ui("◆解析時、データの連結方法"), this);
    groups->setGeometry(2, 210, 256, 74);
    auto* forms_box = new QGroupBox(ui("◆生成する解析ファイルの形式"), this);
    forms_box->setGeometry(8, 290, 288, 74);

    auto* path = place(new QLineEdit(from_cp932(dxf_path), this), 4, 8, 510, 31, 1015);
    (void)path;

    struct Check {
        const char* text;
        int id, top, bottom, right;
        int zov::AnalyserSettings::*setting;
        void (zov::AnalysisOptionsForm::*apply)(bool);
    };
    const Check checks[] = {
        {"1)項目名に日本語のコメントをつける", 1014, 45, 61, 239,
         &zov::AnalyserSettings::item_comments, &zov::AnalysisOptionsForm::set_comments},
        {"2)簡略解析を行う(１行を短くする)", 1019, 72, 89, 239, &zov::AnalyserSettings::cut_handles,
         &zov::AnalysisOptionsForm::set_cut},
        {"3)解析ファイルに解説をつける", 1013, 102, 118, 239, &zov::AnalyserSettings::explanation,
         &zov::AnalysisOptionsForm::set_explanation},
        {"4)項目を指定して解析", 1003, 131, 148, 150, &zov::AnalyserSettings::selected_only,
         &zov::AnalysisOptionsForm::set_selection},
    };
    for (const Check& check : checks) {
        auto* box = place(new QCheckBox(ui(check.text), this), 8, check.top, check.right,
                          check.bottom, check.id);
        box->setChecked(s.*check.setting == 1);
        auto apply = check.apply;
        connect(box, &QCheckBox::toggled, this, [this, apply](bool on) {
            (form_.*apply)(on);
            show_item_controls();
        });
        if (check.id == 1003) selection_ = box;
    }

    auto* clear = place(new QPushButton(ui("クリア"), this), 159, 130, 200, 151, 1004);
    connect(clear, &QPushButton::clicked, this, [this] {
        form_.clear_items();
        refresh_items();
    });
    auto* item_label = place(new QLabel(ui("項目名"), this), 12, 156, 60, 170, 1023);
    combo_ = place(new QComboBox(this), 12, 172, 249, 192, 1002);
    zov::ItemNames names;
    names.load(context_.scratch_file(zov::kItemIndexFileName));
    for (const std::string& entry : zov::AnalysisOptionsForm::combo_entries(names))
        combo_->addItem(from_cp932(entry), QByteArray::fromStdString(entry));
    combo_->setCurrentIndex(-1);
    connect(combo_, &QComboBox::activated, this, [this](int index) {
        std::string entry = combo_->itemData(index).toByteArray().toStdString();
        form_.add_item(index >= 0 ? &entry : nullptr);
        refresh_items();
    });
    list_ = place(new QListWidget(this), 268, 106, 519, 241, 1001);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        form_.delete_item(list_->currentRow());
        refresh_items();
    });
    auto* list_note = place(new QLabel(ui("リストに表示されている項目名と一致\n"
                                          "したデータのみを表示します。\n"
                                          "項目を追加したいときは、左側のコン\n"
                                          "ボックスから選択します。\n"
                                          "ダブルクリックで項目削除できます。"),
                                       this),
                            268, 36, 519, 102, 1017);
    item_controls_ = {item_label, combo_, clear, list_, list_note};
    explanations_[0] = place(new QLabel(ui("◆解析の方法\n"
                                           "   1)記号化された項目に日本語のコメント\n"
                                           "     を付けることができます。\n"
                                           "   2)１行のデータを少なくして、読み易い\n"
                                           "     形式にできます(簡略解析)\n"
                                           "   3)解析ファイルに簡単な解説コメントを\n"
                                           "     付けることができます。\n"
                                           "   4)特定の項目のみを表示する方法と\n"
                                           "     全項目を表示する方法があります。\n"
                                           "◆解析時、データ連結方法\n"
                                           "   複数行のデータを１行に連結するため\n"
                                           "   の接続記号を設定します。"),
                                        this),
                             268, 36, 519, 241, 1018);
    explanations_[1] = place(new QLabel(ui("◆生成する解析ファイルの形式\n"
                                           "   ＤＸＦファイルを再作成するために、\n"
                                           "   解析データには特殊なコントロール\n"
                                           "   コードを含んでいます。これが不都合な\n"
                                           "   時は｢テキスト形式｣にします。"),
                                        this),
                             8, 156, 258, 209, 1021);
    QFont small = font();
    small.setPixelSize(kControlFontPixels - 1);
    explanations_[1]->setFont(small);

    new QLabel(ui("ｸﾞﾙｰﾌﾟｺｰﾄﾞ後に付ける記号"), this);
    findChildren<QLabel*>().back()->setGeometry(10, 228, 158, 18);
    new QLabel(ui("データの後につける記号"), this);
    findChildren<QLabel*>().back()->setGeometry(10, 256, 158, 18);
    code_mark_ = place(new QLineEdit(from_cp932(s.code_mark), this), 170, 226, 188, 246, 1006);
    data_mark_ = place(new QLineEdit(from_cp932(s.data_mark), this), 172, 254, 188, 275, 1007);
    for (QLineEdit* edit : {code_mark_, data_mark_}) edit->setMaxLength(1);
    connect(code_mark_, &QLineEdit::textChanged, this,
            [this](const QString& text) { form_.set_code_mark(text.toStdString()); });
    connect(data_mark_, &QLineEdit::textChanged, this,
            [this](const QString& text) { form_.set_data_mark(text.toStdString()); });
    auto* standard_code = place(new QPushButton(ui("標準"), this), 193, 226, 243, 243, 1011);
    auto* standard_data = place(new QPushButton(ui("標準"), this), 193, 255, 243, 275, 1012);
    connect(standard_code, &QPushButton::clicked, this, [this] {
        form_.standard_code_mark();
        code_mark_->setText(from_cp932(context_.settings.code_mark));
    });
    connect(standard_data, &QPushButton::clicked, this, [this] {
        form_.standard_data_mark();
        data_mark_->setText(from_cp932(context_.settings.data_mark));
    });

    forms_ = new QButtonGroup(this);
    forms_->addButton(
        place(new QRadioButton(ui("ｵﾘｼﾞﾅﾙな形式(DXF作成が可能)"), this), 16, 308, 200, 327, 1010),
        0);
    forms_->addButton(
        place(new QRadioButton(ui("ﾃｷｽﾄ形式(他ｿﾌﾄで読み取り可能)"), this), 16, 337, 257, 358, 1020),
        1);
    forms_->addButton(place(new QRadioButton(ui("Ｃ"), this), 202, 308, 290, 327, 1022), 2);
    if (QAbstractButton* chosen = forms_->button(s.analysis_form)) chosen->setChecked(true);

    auto* run = place(new QPushButton(ui("実行(&R)"), this), 340, 338, 420, 362, 1);
    auto* cancel = place(new QPushButton(ui("ｷｬﾝｾﾙ"), this), 430, 338, 510, 362, 2);
    run->setDefault(true);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    refresh_items();
}

void OptionsDialog::show_item_controls() {
    bool shown = form_.item_controls_shown();
    for (QWidget* control : item_controls_) control->setVisible(shown);
    for (QLabel* label : explanations_) label->setVisible(!shown);
}

void OptionsDialog::refresh_items() {
    list_->clear();
    for (const std::string& item : form_.items()) list_->addItem(from_cp932(item));
}

void OptionsDialog::done(int result) {
    form_.close(forms_->checkedId() >= 0 ? forms_->checkedId() : context_.settings.analysis_form);
    QDialog::done(result);
}

void OptionsDialog::hover_at(QPoint point) {
    zov::HoverLines lines = zov::hover_help(point.x(), point.y(), selection_->isChecked());
    if (lines != hover_) {
        hover_ = lines;
        update(QRect(zov::kHoverBlankX, zov::kHoverTextY[0], width() - zov::kHoverBlankX, 80));
    }
}

void OptionsDialog::mouseMoveEvent(QMouseEvent* event) {
    hover_at(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* widget = static_cast<QWidget*>(watched);
        hover_at(widget->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QFont font = monospace_face();
    font.setPixelSize(zov::kHoverFontHeight);
    painter.setFont(font);
    // Text is drawn from its top at y, as the platform's text output does.
    const int ascent = painter.fontMetrics().ascent();
    const QString blanks(zov::kHoverBlankWidth, QLatin1Char(' '));
    painter.setPen(palette().color(QPalette::WindowText));
    for (int y : zov::kHoverBlankY) painter.drawText(zov::kHoverBlankX, y + ascent, blanks);
    for (std::size_t i = 0; i < hover_.size(); ++i)
        painter.drawText(zov::kHoverTextX, zov::kHoverTextY[i] + ascent, from_cp932(hover_[i]));
}

}  // namespace zovedit
