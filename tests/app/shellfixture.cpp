// SPDX-License-Identifier: GPL-3.0-or-later
#include "shellfixture.h"

#include "documentio.h"

#include <QDir>
#include <QFile>

namespace quorvel::test {

using namespace Qt::Literals::StringLiterals;

void ShellFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"basis"_s));
    environment.workingDirectory = dir.path();
    environment.baseFolder = dir.path() + u"/basis/"_s;
    environment.centralConfigCandidates = {path(u"config.ini"_s)};
    environment.userSettingsFile = path(u"benutzer.ini"_s);
}

MainWindow& ShellFixture::start(const QStringList& arguments) {
    environment.arguments = arguments;
    window = std::make_unique<MainWindow>(environment);
    auto scripted = std::make_unique<ScriptedPrompter>();
    prompter = scripted.get();
    window->setDialogs(std::move(scripted));
    return *window;
}

MainWindow& ShellFixture::activate(const QStringList& arguments) {
    start(arguments).activateFirstTime();
    return *window;
}

void ShellFixture::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString ShellFixture::writeDocument(const QString& name, const QString& titel) const {
    Document document;
    document.header.titel = titel;
    document.basePicture = QImage(120, 84, QImage::Format_ARGB32);
    document.basePicture.fill(QColor(30, 120, 200));
    const QString file = path(name);
    const IoResult result = writeDocumentFile(document, file, true);
    EXPECT_TRUE(result.ok) << result.detail.toStdString();
    return file;
}

} // namespace quorvel::test
