#include "WizardDriver.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>

#include <functional>

// Every window as a user sees it and as a screen reader meets it. Every text
// shows whole, no caption cut by its control or by the window's edge. Through
// Qt's own accessibility interface, every control that takes the focus has a
// name, which is not just the caption of the frame around it; a drop-down
// with a prompt is named by its prompt; a tooltip is read as the description;
// and nothing is offered that lies outside the window. At the normal scale
// here, and on the screens and scales of a table in processes of their own.
namespace {

// The controls of a shown window whose text does not fit.
QStringList cutTexts(QWidget *window) {
    QStringList cut;
    const QRect inside = window->rect();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        QSize needed;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                       : label->sizeHint();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            needed = button->minimumSizeHint();
        } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            if (frame->title().isEmpty())
                continue;
            needed = QSize(frame->fontMetrics().horizontalAdvance(frame->title()), 0);
        } else {
            continue;
        }
        const QRect where(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w->width() < needed.width() || w->height() < needed.height() || !inside.contains(where))
            cut.append(QStringLiteral("%1 (%2x%3, needs %4x%5)")
                           .arg(w->objectName())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(needed.width())
                           .arg(needed.height()));
    }
    return cut;
}

QString frameCaption(const QWidget *control) {
    for (const QWidget *w = control->parentWidget(); w; w = w->parentWidget())
        if (auto *frame = qobject_cast<const QGroupBox *>(w))
            return frame->title();
    return QString();
}

QString promptOf(const QWidget *control) {
    auto *combo = qobject_cast<const QComboBox *>(control);
    if (!combo)
        return QString();
    return combo->isEditable() ? combo->lineEdit()->placeholderText() : combo->placeholderText();
}

// What a screen reader would find wrong in a shown window. The walk goes down
// through every node that is offered (not marked invisible), and must reach
// every control of the window that can take the focus.
QStringList faults(QWidget *window) {
    QStringList found;
    QSet<QObject *> reached;
    const QRect inside(window->mapToGlobal(QPoint(0, 0)), window->size());
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        const QAccessible::State state = node->state();
        if (state.invisible)
            return;
        reached.insert(node->object());
        const QString name = node->text(QAccessible::Name);
        const QString what =
            QStringLiteral("\"%1\" (%2)")
                .arg(name, node->object() ? node->object()->objectName() : QString());
        if (!node->rect().intersects(inside))
            found.append(what + QStringLiteral(" is offered but lies outside the window"));
        auto *control = qobject_cast<QWidget *>(node->object());
        if (state.focusable && name.trimmed().isEmpty())
            found.append(what + QStringLiteral(" has no name"));
        else if (state.focusable && control && name == frameCaption(control))
            found.append(what + QStringLiteral(" is named by its frame, \"%1\"").arg(name));
        if (control && !control->toolTip().isEmpty() &&
            node->text(QAccessible::Description) != control->toolTip())
            found.append(what + QStringLiteral(" is not described by its tooltip"));
        if (control && !promptOf(control).isEmpty() && name != promptOf(control))
            found.append(what + QStringLiteral(" reads \"%1\", not its prompt").arg(name));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    int focusable = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus)
            continue;
        ++focusable;
        if (!reached.contains(w))
            found.append(w->objectName() + QStringLiteral(" is missing from the accessible tree"));
    }
    if (focusable == 0)
        found.append(QStringLiteral("no control that takes the focus"));
    return found;
}

// Shows a window as a user would reach it and hands it to the check, which
// runs while the window is on screen (the unsaved-changes prompt blocks).
using Check = std::function<void(QWidget *)>;
using Visit = std::function<void(GuiFixture &, const Check &)>;

Visit wizardPage(int page, const char *gameType = "Kestrune DM Free for All (FFA)") {
    return [page, gameType](GuiFixture &f, const Check &check) {
        WizardDriver w(f);
        w.start();
        for (int i = 1; i < page; ++i) {
            if (w.pageName() == QLatin1String("frmServerWizard3")) {
                w.choose("cmbGameType", gameType);
                if (w.control<QComboBox>("cmbAmmo")->isEnabled()) {
                    w.choose("cmbAmmo", "1 Stingy");
                    w.choose("cmbglblWeapon", "Blaster");
                }
            }
            w.next();
        }
        check(w.page());
    };
}

const QList<std::pair<const char *, Visit>> &windows() {
    static const QList<std::pair<const char *, Visit>> table{
        {"main window, compact", [](GuiFixture &f, const Check &check) { check(&f.main()); }},
        // Grown from a compact window low on the screen, the window stays
        // inside the available area, made smaller on a small screen, and the
        // text area follows a resize.
        {"main window, grown, with findings",
         [](GuiFixture &f, const Check &check) {
             frmOutput &m = f.main();
             const QRect available = m.screen()->availableGeometry();
             m.move(available.left() + 10, available.bottom() - m.frameGeometry().height() - 10);
             WizardDriver(f).runWithDefaults();
             // On every screen that can hold the window's least size.
             const QSize least = m.centralWidget()->minimumSize() + QSize(60, 120);
             if (least.boundedTo(available.size()) == least) {
                 QVERIFY(available.contains(m.frameGeometry()));
                 const QSize before = m.txtOutput->size();
                 m.resize(m.size() - QSize(40, 60));
                 QCOMPARE(m.txtOutput->size(), before - QSize(40, 60));
             }
             // A value left out is a finding: the list under the text shows.
             m.txtOutput->appendPlainText(QStringLiteral("set timelimit"));
             QTRY_VERIFY(GuiFixture::control<QWidget>(&m, "lstFindings")->isVisible());
             check(&m);
         }},
        {"maplist editor",
         [](GuiFixture &f, const Check &check) {
             frmCreateMaplist &editor = f.main().procedures().wizard().maplistEditor();
             editor.showModal();
             check(&editor);
         }},
        {"message-of-the-day editor",
         [](GuiFixture &f, const Check &check) {
             frmCreateMOTD &editor = f.main().procedures().wizard().motdEditor();
             editor.showModal();
             check(&editor);
         }},
        {"command-line creator",
         [](GuiFixture &f, const Check &check) {
             GuiFixture::click(f.main().cmdCreateShortcut);
             check(GuiFixture::control<QDialog>(&f.main(), "frmShortcut"));
         }},
        {"About",
         [](GuiFixture &f, const Check &check) {
             f.main().mnuAbout->trigger();
             check(GuiFixture::control<QDialog>(&f.main(), "frmAbout"));
         }},
        {"unsaved-changes prompt",
         [](GuiFixture &f, const Check &check) {
             WizardDriver w(f);
             w.start();
             ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [check](QWidget *prompt) {
                 check(prompt);
                 GuiFixture::click(GuiFixture::button(prompt, "cmdCancel"));
             });
             w.cancel();
         }},
    };
    return table;
}

} // namespace

Q_DECLARE_METATYPE(Visit)

class TestEveryWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // A dark Fusion look, as a dark desktop theme gives.
        if (qEnvironmentVariable("KESTRUNE_TEST_LOOK") == QLatin1String("dark")) {
            QApplication::setStyle(QStringLiteral("Fusion"));
            QPalette dark(QColor(53, 53, 53));
            dark.setColor(QPalette::WindowText, Qt::white);
            dark.setColor(QPalette::Text, Qt::white);
            dark.setColor(QPalette::ButtonText, Qt::white);
            dark.setColor(QPalette::Base, QColor(35, 35, 35));
            QApplication::setPalette(dark);
        }
    }

    void everyWindow_data() {
        QTest::addColumn<Visit>("visit");
        for (const auto &[name, visit] : windows())
            QTest::newRow(name) << visit;
        for (int page = 1; page <= 7; ++page)
            QTest::addRow("wizard page %d", page) << wizardPage(page);
        for (int page : {5, 6})
            QTest::addRow("wizard page %d, rail-only", page)
                << wizardPage(page, "Kestrune Rail-Only Insta-Gib Teamplay");
    }
    void everyWindow() {
        QFETCH(Visit, visit);
        GuiFixture f;
        QStringList found;
        bool checked = false;
        visit(f, [&](QWidget *window) {
            if (!QTest::qWaitForWindowExposed(window))
                found.append(window->objectName() + QStringLiteral(" not shown"));
            found += cutTexts(window);
            found += faults(window);
            // On a screen of 800 by 600 (the offscreen one at scale 1) every window fits.
            const QSize screen = window->screen()->availableGeometry().size();
            const QSize frame = window->frameGeometry().size();
            if (screen.width() >= 800 && screen.height() >= 600 && frame.boundedTo(screen) != frame)
                found.append(QStringLiteral("%1 is %2x%3")
                                 .arg(window->objectName())
                                 .arg(frame.width())
                                 .arg(frame.height()));
            checked = true;
        });
        QVERIFY2(checked, "the window never showed");
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }

    void otherScreens_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("windows");
        // Each scale, light and in a dark Fusion look; at scale 1 the
        // offscreen screen is 800 by 600, which every window must fit.
        for (const char *look : {"light", "dark"})
            for (const char *scale : {"1", "1.5", "2"})
                if (look != QLatin1String("light") || scale != QLatin1String("1"))
                    QTest::newRow(qPrintable(QLatin1String(look) + QStringLiteral(", scale ") +
                                             QLatin1String(scale)))
                        << QStringList{QStringLiteral("QT_SCALE_FACTOR=") + QLatin1String(scale),
                                       QStringLiteral("KESTRUNE_TEST_LOOK=") + QLatin1String(look)}
                        << "everyWindow";
        // A small screen of high resolution, 1024 by 768 at 144 dpi: the
        // grown main window must fit it.
        QTest::newRow("small screen")
            << QStringList{"QT_QPA_PLATFORM=offscreen:configfile=" SMALL_SCREEN_CONFIG}
            << "everyWindow:main window, grown, with findings";
    }
    void otherScreens() {
        QFETCH(QStringList, environment);
        QFETCH(QString, windows);
        QProcess child;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString &setting : environment)
            variables.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        child.setProcessEnvironment(variables);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {windows});
        QVERIFY(child.waitForFinished(240000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAll().constData());
    }
};

QTEST_MAIN(TestEveryWindow)
#include "test_everywindow.moc"
