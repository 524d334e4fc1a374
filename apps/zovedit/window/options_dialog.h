#pragma once
// Dialog 129 "ＤＸＦファイル解析方法の設定": the analysis options of one
// conversion, with the hover help. The decisions are AnalysisOptionsForm's.
#include <QDialog>
#include <array>

#include "analyser/options_form.h"
#include "analyser/options_hover_help.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zovedit {

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(zov::AnalyserContext& context, const std::string& dxf_path,
                  QWidget* parent = nullptr);

    // The lines the hover help shows now (CP932).
    const zov::HoverLines& hover_lines() const { return hover_; }
    // The hover help for a point in client pixels, as a mouse move there.
    void hover_at(QPoint point);

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void build_controls(const std::string& dxf_path);
    void show_item_controls();
    void refresh_items();

    zov::AnalysisOptionsForm form_;
    zov::AnalyserContext& context_;
    zov::HoverLines hover_;
    QCheckBox* selection_ = nullptr;
    QLineEdit* code_mark_ = nullptr;
    QLineEdit* data_mark_ = nullptr;
    QComboBox* combo_ = nullptr;
    QListWidget* list_ = nullptr;
    QButtonGroup* forms_ = nullptr;
    std::array<QWidget*, 5> item_controls_{};
    std::array<QLabel*, 2> explanations_{};
};

}  // namespace zovedit
