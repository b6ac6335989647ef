#include "Procedures.h"

#include "frmOutput.h"
#include "frmSaveChanges.h"
#include "platform/BusyWait.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "serverfile/ConsoleCheck.h"
#include "serverfile/HandLines.h"
#include "serverfile/RawCodeForm.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileImport.h"
#include "serverfile/ServerFileReader.h"
#include "settings/PublicVars.h"
#include "wizard/WizardController.h"
#include "wizard/WizardPage.h"
#include "wizard/frmServerWizard4.h"
#include "wizard/frmServerWizard5.h"
#include "wizard/frmServerWizard6.h"
#include "wizard/frmServerWizard7.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPushButton>

namespace {
// The longest line of the text: its number from 1 and its length in bytes.
std::pair<qsizetype, qsizetype> longestLine(QByteArrayView bytes) {
    std::pair<qsizetype, qsizetype> longest{0, 0};
    qsizetype number = 0;
    TextLines cursor(bytes);
    while (const auto line = cursor.next()) {
        ++number;
        if (line->size() > longest.second)
            longest = {number, line->size()};
    }
    return longest;
}

} // namespace

Procedures::Procedures(frmOutput &output)
    : m_output(output)
    , m_wizard(std::make_unique<WizardController>(&output)) {
    QObject::connect(m_wizard.get(), &WizardController::closeAsked, [this] { ConfirmClose(); });
    QObject::connect(m_wizard.get(), &WizardController::finished, [this] { BuildServerFile(); });
}

Procedures::~Procedures() {
    delete m_prompt.data();
}

// Lines written by hand are carried into the new text, and the status line
// says what happened to them.
void Procedures::BuildServerFile() {
    m_wizard->generalPage().copyInto(PublicVars::ServerSettings);
    const QString composed = composeServerFile(PublicVars::ServerSettings,
                                               creationTimeText(QDateTime::currentDateTime()));
    const HandLines::Regenerated regenerated =
        HandLines::keep(PublicVars::OutputText, composed, m_output.programText());
    m_output.replaceServerText(regenerated.text);
    m_output.enlarge();
    m_output.tell(HandLines::summary(regenerated));
}

// Unsaved text is saved or given up first; Cancel abandons what was asked.
bool Procedures::settleUnsavedText() {
    while (!PublicVars::Saved) {
        const bool consumesBack = PublicVars::Navigating;
        ConfirmClose();
        if (!consumesBack && !PublicVars::Saved)
            return false;
    }
    return true;
}

std::optional<QByteArray> Procedures::readServerFileBytes(const QString &path) {
    struct Read {
        TextFile::ReadResult file;
        QString notText;
    };
    const std::optional<Read> done =
        BusyWait::run(&m_output, QStringLiteral("Reading \"%1\"...").arg(FileSystem::shown(path)),
                      [path](const std::atomic_bool &) {
                          Read r{TextFile::readBytes(path, MaxServerFileBytes), {}};
                          if (r.file.ok())
                              r.notText = TextFile::notText(r.file.bytes);
                          if (const auto [line, length] = longestLine(r.file.bytes);
                              r.notText.isEmpty() && length > MaxServerLineBytes)
                              r.notText =
                                  QStringLiteral("line %1 is %2 bytes long; the server runs "
                                                 "no file over 32 KB, and this tool opens "
                                                 "no line over 96 KB")
                                      .arg(line)
                                      .arg(length);
                          return r;
                      });
    if (!done)
        return std::nullopt;
    const TextFile::ReadResult &read = done->file;
    if (!done->notText.isEmpty()) {
        MessageBox::inform(
            &m_output,
            QStringLiteral("Cannot open \"%1\": %2.").arg(FileSystem::shown(path), done->notText));
        return std::nullopt;
    }
    if (read.failure == TextFile::Failure::TooLarge) {
        MessageBox::inform(&m_output,
                           QStringLiteral("%1\n\nThis is too large for a server file; a generated "
                                          "server file is a few KB.")
                               .arg(read.error));
        return std::nullopt;
    }
    if (!read.ok()) {
        MessageBox::inform(&m_output, read.error);
        return std::nullopt;
    }
    return read.bytes;
}

void Procedures::LoadServerFile(const QString &path) {
    PublicVars::OpenFileName = path;
    if (!settleUnsavedText())
        return;
    const std::optional<QByteArray> bytes = readServerFileBytes(path);
    if (!bytes)
        return;
    const QByteArray read = *bytes;
    const auto parsed =
        BusyWait::run(&m_output, QStringLiteral("Reading \"%1\"...").arg(FileSystem::shown(path)),
                      [read](const std::atomic_bool &) { return readServerFile(read); });
    if (!parsed)
        return;
    const auto &contents = *parsed;
    if (!contents) {
        refuse(path, QString::fromLatin1(*bytes));
        return;
    }
    // Only an accepted file makes new wizard pages fill from the record.
    PublicVars::LoadedFromFile = true;
    ServerSettingsRecord &s = PublicVars::ServerSettings;
    RawCode::restore(s, contents->rawValues);
    // What the raw-code block lacks, from the file's own commands.
    if (contents->weapon) {
        s.RandomizerChosen = contents->weapon->randomizer;
        (s.RandomizerChosen ? s.RandomizerType : s.DefaultWeapon) = contents->weapon->code;
    }
    if (contents->highScorer)
        s.HighScorerLine = highScorerLine(*contents->highScorer);
    m_wizard->discardPages();
    m_output.replaceServerText(contents->text);
    m_output.enlarge();
    m_output.setFile(path);
    m_output.tell(QString());
}

// The refusal names the line where the raw-code block broke, and offers to
// bring the file in as any server file is.
void Procedures::refuse(const QString &path, const QString &text) {
    QString message = QStringLiteral("This is not a Kestrune Server Tool generated file!");
    if (const auto broken = RawCodeForm::firstBreak(text))
        message += QStringLiteral("\n\nLine %1: %2").arg(broken->line + 1).arg(broken->message);
    message += QStringLiteral("\n\nFile, Import reads any server file and keeps its lines. "
                              "Import this one?");
    if (MessageBox::askOkCancel(&m_output, message) == MessageBox::Answer::Ok)
        ImportServerFile(path);
}

// Any server file: its answers fill the record and the wizard, every other
// line is kept, and a report says what happened.
void Procedures::ImportServerFile(const QString &path) {
    if (!settleUnsavedText())
        return;
    const std::optional<QByteArray> bytes = readServerFileBytes(path);
    if (!bytes)
        return;
    // Reading a long file as the console does takes seconds: off the
    // window's thread, with the composing and the check of the result.
    struct Imported {
        ServerFileImport::Result result;
        QString text;
        QString report;
    };
    const QByteArray read = *bytes;
    const QString name = FileSystem::shown(QFileInfo(path).fileName());
    const QString created = creationTimeText(QDateTime::currentDateTime());
    const std::optional<Imported> imported = BusyWait::run(
        &m_output, QStringLiteral("Importing \"%1\"...").arg(FileSystem::shown(path)),
        [read, name, created](const std::atomic_bool &) {
            Imported i;
            i.result = ServerFileImport::read(QString::fromLatin1(read));
            i.text = ServerFileImport::compose(i.result, created);
            i.report = ServerFileImport::report(i.result, name, ConsoleCheck::check(i.text).size());
            return i;
        });
    if (!imported)
        return;
    PublicVars::OpenFileName = path;
    PublicVars::LoadedFromFile = true;
    PublicVars::ServerSettings = imported->result.record;
    m_wizard->discardPages();
    m_output.replaceServerText(imported->text);
    m_output.enlarge();
    m_output.setFile(QString()); // a new text, not the file read
    m_output.tell(QStringLiteral("Imported from %1").arg(name));
    MessageBox::inform(&m_output, imported->report);
}

void Procedures::ConfirmClose() {
    if (PublicVars::Navigating) {
        PublicVars::Navigating = false;
        return;
    }
    if (PublicVars::Saved) {
        Program::end();
        return;
    }
    if (!m_prompt)
        m_prompt = new frmSaveChanges(*this, &m_output);
    // Over the window that asked: the wizard's page on screen, else the main window.
    WizardPage *page = m_wizard->visiblePage();
    m_prompt->ask(page ? static_cast<QWidget *>(page) : &m_output);
    if (m_prompt->answeredYes()) {
        m_prompt->deleteLater(); // the next prompt is a new one
        m_prompt.clear();
    }
    m_output.showSaved();
}

void Procedures::SaveServerFile() {
    m_output.CD0.setFilter(frmOutput::ConfigFilter);
    if (!m_output.CD0.showSave(&m_output))
        return;
    const QString path = m_output.CD0.fileName();
    // The rcon password gives full control of the server: a new file holding
    // one is for its owner and group alone.
    const bool secret = !PublicVars::ServerSettings.RconPassword.isEmpty() ||
                        PublicVars::OutputText.contains(QLatin1String("rcon_password"));
    const TextFile::WriteResult written =
        TextFile::write(path, PublicVars::OutputText,
                        secret ? TextFile::NewFile::OwnerAndGroup : TextFile::NewFile::Readable);
    if (!written.ok()) {
        MessageBox::inform(&m_output, written.error);
        return;
    }
    PublicVars::SavePath = path;
    PublicVars::SaveFileTitle = m_output.CD0.fileTitle();
    PublicVars::Saved = true;
    m_output.setFile(path);
    m_output.tell(QStringLiteral("Saved as %1").arg(PublicVars::SaveFileTitle));
}

void Procedures::CalcDMFlags() {
    m_wizard->dmFlagsPage().storeMask();
}

void Procedures::CalcWeaponBan() {
    m_wizard->weaponBanPage().storeMask();
}

void Procedures::CalcFeatureBan() {
    m_wizard->featureBanPage().storeMask();
}
