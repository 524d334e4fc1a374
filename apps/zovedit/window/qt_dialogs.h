#pragma once
// The analyser's two set-up dialogs shown as windows over the main window.
#include <QWidget>

#include "analyser/dialogs.h"

namespace zovedit {

class QtDialogs : public zov::AnalyserDialogs {
public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    bool run_analysis_options(zov::AnalyserContext& context, const std::string& dxf_path) override;
    bool run_output_name_dialog(zov::AnalyserContext& context, const std::string& source_path,
                                std::string& output_dxf_path) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace zovedit
