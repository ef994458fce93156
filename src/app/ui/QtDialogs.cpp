#include "app/ui/QtDialogs.h"

#include "app/Files.h"
#include "app/Text.h"
#include "app/ui/QtTickTimer.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
std::string fromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace

QString qtFileFilter(const std::string& filter) {
    const std::vector<std::string> pieces = z7::splitFields(filter);
    QStringList filters;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        QStringList masks = toQt(pieces[i + 1]).split(';', Qt::SkipEmptyParts);
        for (QString& mask : masks)
            if (mask.trimmed() == "*.*") mask = "*";
        filters << toQt(pieces[i]) + " (" + masks.join(' ') + ")";
    }
    if (filters.isEmpty()) filters << "All files (*)";
    return filters.join(";;");
}

QString saveDialogStart(const std::string& startDirectory, const std::string& fileName) {
    if (fileName.empty()) return toQt(startDirectory);
    if (!z7::directoryOf(fileName).empty()) return toQt(fileName);
    return toQt(startDirectory + fileName);
}

void QtDialogs::error(const std::string& text) {
    QtTickTimer::ModalPause pause;
    QMessageBox::critical(parent_, "Error", toQt(text), QMessageBox::Ok);
}

bool QtDialogs::confirm(const std::string& text) {
    QtTickTimer::ModalPause pause;
    return QMessageBox::question(parent_, "Confirm", toQt(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtDialogs::warning(const std::string& text) {
    QtTickTimer::ModalPause pause;
    QMessageBox::warning(parent_, "Warning", toQt(text), QMessageBox::Ok);
}

z7::Dialogs::AbortRetry QtDialogs::abortRetry(const std::string& text) {
    QtTickTimer::ModalPause pause;
    const auto answer = QMessageBox::critical(parent_, "Error", toQt(text), QMessageBox::Abort | QMessageBox::Retry,
                                              QMessageBox::Retry);
    return answer == QMessageBox::Retry ? AbortRetry::Retry : AbortRetry::Abort;
}

void QtDialogs::message(const std::string& text) {
    QtTickTimer::ModalPause pause;
    QMessageBox::information(parent_, "Information", toQt(text), QMessageBox::Ok);
}

void QtDialogs::beep() { QApplication::beep(); }

std::optional<std::string> QtDialogs::chooseOpenFile(const std::string& startDirectory, const std::string& filter) {
    QtTickTimer::ModalPause pause;
    const QString chosen = QFileDialog::getOpenFileName(parent_, "Open", toQt(startDirectory), qtFileFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return fromQt(chosen);
}

std::optional<std::string> QtDialogs::chooseSaveFile(const std::string& startDirectory, const std::string& fileName,
                                                     const std::string& defaultExtension) {
    QtTickTimer::ModalPause pause;
    QFileDialog dialog(parent_, "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFileFilter("Project Files...*.*|*.*"));
    dialog.setDefaultSuffix(toQt(defaultExtension));
    dialog.setDirectory(toQt(z7::directoryOf(fileName).empty() ? startDirectory : z7::directoryOf(fileName)));
    if (!fileName.empty()) dialog.selectFile(saveDialogStart(startDirectory, fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return fromQt(dialog.selectedFiles().first());
}
