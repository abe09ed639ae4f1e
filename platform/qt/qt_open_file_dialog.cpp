// platform/qt/qt_open_file_dialog.cpp: the open-file request shown with Qt's file chooser: the
// request's filter pairs, its initial folder, and its must-exist rules.
#include <QFileDialog>
#include <QStringList>
#include <cstring>

#include "platform/files.h"
#include "platform/open_file_dialog.h"

namespace platform {

namespace {

// "Bitmap(*.bmp)\0*.bmp\0\0" becomes "Bitmap(*.bmp) (*.bmp)".
QString FilterOf(const char* pairs) {
    QStringList filters;
    while (pairs != nullptr && *pairs != '\0') {
        const char* description = pairs;
        const char* pattern = description + std::strlen(description) + 1;
        if (*pattern == '\0') break;
        filters << QString("%1 (%2)").arg(description, QString(pattern).replace(';', ' '));
        pairs = pattern + std::strlen(pattern) + 1;
    }
    return filters.join(";;");
}

bool ChooseWithQt(OpenFileRequest* request) {
    if (request == nullptr || request->file == nullptr || request->maxFile == 0) return false;
    QFileDialog dialog(nullptr, request->title != nullptr ? request->title : "Open");
    dialog.setNameFilter(FilterOf(request->filter));
    if (request->initialDir != nullptr) {
        dialog.setDirectory(QString::fromStdString(HostPath(request->initialDir)));
    }
    // The chooser only offers files that exist, in folders that exist.
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QByteArray path = dialog.selectedFiles().first().toLocal8Bit();
    if (static_cast<std::uint32_t>(path.size()) >= request->maxFile) return false;
    std::memcpy(request->file, path.constData(), static_cast<std::size_t>(path.size()) + 1);
    return true;
}

}  // namespace

void InstallQtFileChooser() { SetOpenFileChooser(ChooseWithQt); }

}  // namespace platform
