#pragma once
// Dialog 132 "生成するＤＸＦファイル名": the name and line ends of a rebuilt
// DXF. The decisions are OutputNameForm's.
#include <QDialog>

#include "analyser/output_name_form.h"

class QButtonGroup;
class QLineEdit;

namespace zovedit {

class OutputNameDialog : public QDialog {
    Q_OBJECT
public:
    OutputNameDialog(zov::AnalyserContext& context, const std::string& source_path,
                     QWidget* parent = nullptr);
    const std::string& output_path() const { return form_.output_path(); }
    void done(int result) override;

private:
    zov::OutputNameForm form_;
    QLineEdit* output_ = nullptr;
};

}  // namespace zovedit
