#include "compiler/ui/CompilerStatusPanel.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CompilerStatusPanel::CompilerStatusPanel(QGroupBox* box)
    : QObject(box), step_(new QLabel(box)), gauge_(new QProgressBar(box)), messages_(new QListWidget(box)),
      cancel_(new QPushButton("Cancel", box)) {
    auto* layout = new QVBoxLayout(box);
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    messages_->setObjectName("CompileErrors");
    layout->addWidget(step_);
    layout->addWidget(gauge_);
    layout->addWidget(messages_, 1);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, &CompilerStatusPanel::cancel);
}

z7::CompileResult CompilerStatusPanel::compile(z7::Project& project, const z7::ModuleLibrary& library,
                                               const z7::Preferences& preferences) {
    if (running_) return {};
    running_ = true;
    cancelRequested_ = false;
    cancel_->setEnabled(true);
    messages_->clear();
    z7::CompileHooks hooks;
    hooks.progress = [this](const std::string& text, int gauge) {
        step_->setText(QString::fromLocal8Bit(text.c_str()));
        gauge_->setValue(gauge);
        QApplication::processEvents();
    };
    hooks.haltRequested = [this] { return cancelRequested_; };
    last_ = std::make_unique<z7::CompileContext>(project, library, z7::CompileSettings::from(preferences), hooks);
    const z7::CompileResult result = z7::compileProject(*last_);
    for (const std::string& message : last_->errors.messages()) messages_->addItem(QString::fromLocal8Bit(message.c_str()));
    step_->setText(QString::fromLocal8Bit(result.statusText.c_str()));
    gauge_->setValue(result.success ? 100 : gauge_->value());
    cancel_->setEnabled(false);
    running_ = false;
    return result;
}
