#include "shell/files/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QString>

#include "files/ExportNaming.h"

namespace {

OpenFileAsker& openAsker() {
    static OpenFileAsker asker;
    return asker;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string qtOpen(const std::string& title, const std::string& folder, const std::string& filter) {
    // The read-only box of the platform's dialog does not exist here.
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), q(title), q(folder),
                                        q(qtFileFilter(filter)))
        .toStdString();
}

std::string qtSave(const std::string& title, const std::string& folder, const std::string& filter) {
    // QFileDialog asks before replacing an existing file.
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), q(title), q(folder),
                                        q(qtFileFilter(filter)))
        .toStdString();
}

}  // namespace

OpenFileAsker setOpenFileAsker(OpenFileAsker asker) {
    OpenFileAsker previous = std::move(openAsker());
    openAsker() = std::move(asker);
    return previous;
}

std::string askOpenFileName(const std::string& title, const std::string& folder,
                            const std::string& filter) {
    if (!openAsker()) return {};
    return openAsker()(title, folder, filter);
}

void installQtFileDialogs() {
    if (!openAsker()) openAsker() = qtOpen;
    if (!saveNameAsker()) setSaveNameAsker(qtSave);
}

std::string qtFileFilter(const std::string& pipes) {
    std::string out;
    size_t i = 0;
    while (i < pipes.size()) {
        const size_t bar = pipes.find('|', i);
        if (bar == std::string::npos) break;
        const size_t end = pipes.find('|', bar + 1);
        std::string name = pipes.substr(i, bar - i);
        std::string patterns =
            pipes.substr(bar + 1, (end == std::string::npos ? pipes.size() : end) - bar - 1);
        for (char& c : patterns)
            if (c == ';') c = ' ';
        // Qt reads the patterns from the last parentheses; the name's own list goes.
        const size_t open = name.rfind('(');
        if (open != std::string::npos && name.back() == ')' && name.find('*', open) != name.npos)
            name.erase(open);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (!out.empty()) out += ";;";
        out += name + " (" + patterns + ")";
        if (end == std::string::npos) break;
        i = end + 1;
    }
    return out;
}
