#include "Procedures.h"

#include "frmOutput.h"
#include "frmSaveChanges.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"
#include "platform/TextFile.h"
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
const QString kConfigFilter = QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*");
}

Procedures::Procedures(frmOutput &output)
    : m_output(output)
    , m_wizard(std::make_unique<WizardController>(*this, &output)) {}

Procedures::~Procedures() {
    delete m_prompt.data();
}

// Lines written by hand are carried into the new text, and the status line
// says what happened to them.
void Procedures::BuildServerFile() {
    m_output.Command1->setEnabled(true);
    m_wizard->generalPage().copyInto(PublicVars::ServerSettings);
    const QString composed = composeServerFile(PublicVars::ServerSettings,
                                               creationTimeText(QDateTime::currentDateTime()));
    const HandLines::Regenerated regenerated =
        HandLines::keep(PublicVars::OutputText, composed, m_output.programText());
    PublicVars::OutputText = regenerated.text;
    m_output.replaceServerText(PublicVars::OutputText);
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
    const TextFile::ReadResult read = TextFile::readBytes(path, MaxServerFileBytes);
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
    const auto contents = readServerFile(*bytes);
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
        s.HighScorerLine = QStringLiteral("set highscorer ") + *contents->highScorer;
    m_wizard->discardPages();
    PublicVars::OutputText = contents->text;
    m_output.replaceServerText(PublicVars::OutputText);
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
    const ServerFileImport::Result imported = ServerFileImport::read(QString::fromLatin1(*bytes));
    PublicVars::OpenFileName = path;
    PublicVars::LoadedFromFile = true;
    PublicVars::ServerSettings = imported.record;
    m_wizard->discardPages();
    m_output.Command1->setEnabled(true);
    PublicVars::OutputText =
        ServerFileImport::compose(imported, creationTimeText(QDateTime::currentDateTime()));
    m_output.replaceServerText(PublicVars::OutputText);
    m_output.enlarge();
    m_output.setFile(QString()); // a new text, not the file read
    const QString name = QFileInfo(path).fileName();
    m_output.tell(QStringLiteral("Imported from %1").arg(name));
    MessageBox::inform(
        &m_output, ServerFileImport::report(imported, name,
                                            ConsoleCheck::check(PublicVars::OutputText).size()));
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
    m_output.CD0.setFilter(kConfigFilter);
    if (!m_output.CD0.showSave(&m_output))
        return;
    const QString path = m_output.CD0.fileName();
    const TextFile::WriteResult written = TextFile::write(path, PublicVars::OutputText);
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
    PublicVars::ServerSettings.DMFlags = m_wizard->dmFlagsPage().cDMFlag().mask();
}

void Procedures::CalcWeaponBan() {
    PublicVars::ServerSettings.WeaponBan = m_wizard->weaponBanPage().cWeaponBan().mask();
}

// Held as the decimal text of the sum.
void Procedures::CalcFeatureBan() {
    PublicVars::ServerSettings.FeatureBan = m_wizard->featureBanPage().cFeatureBan().mask();
}
