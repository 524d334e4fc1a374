#include "qt_dialogs.h"

#include <QApplication>

#include "options_dialog.h"
#include "output_name_dialog.h"

namespace zovedit {

bool QtDialogs::run_analysis_options(zov::AnalyserContext& context, const std::string& dxf_path) {
    OptionsDialog dialog(context, dxf_path, parent_);
    bool accepted = dialog.exec() == QDialog::Accepted;
    // The conversion that follows may take a while.
    if (accepted) QApplication::processEvents();
    return accepted;
}

bool QtDialogs::run_output_name_dialog(zov::AnalyserContext& context,
                                       const std::string& source_path,
                                       std::string& output_dxf_path) {
    OutputNameDialog dialog(context, source_path, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    output_dxf_path = dialog.output_path();
    return true;
}

}  // namespace zovedit
