#include "WizardDriver.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QPalette>
#include <QProcess>
#include <QScreen>

#include <functional>

// Every window as a user sees it and as a screen reader meets it. Every text
// shows whole, no caption cut by its control or by the window's edge. Through
// Qt's own accessibility interface, every control that takes the focus has a
// name, which is not just the caption of the frame around it; a drop-down
// with a prompt is named by its prompt; a tooltip is read as the description;
// and nothing is offered that lies outside the window. The editors grow with
// their window. At the normal scale here, and on the screens, scales and
// styles of a table in processes of their own.
namespace {

// The controls of a shown window whose text does not fit.
QStringList cutTexts(QWidget *window) {
    QStringList cut;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        auto *label = qobject_cast<QLabel *>(w);
        auto *button = qobject_cast<QAbstractButton *>(w);
        auto *frame = qobject_cast<QGroupBox *>(w);
        const QString text = label    ? label->text()
                             : button ? button->text()
                             : frame  ? frame->title()
                                      : QString();
        if (text.isEmpty() || !w->isVisibleTo(window) || w->window() != window)
            continue;
        const QSize needed = !label              ? (button ? button->minimumSizeHint()
                                                           : QSize(w->fontMetrics().horizontalAdvance(text), 0))
                             : label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                                 : label->sizeHint();
        const QRect where(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w->width() < needed.width() || w->height() < needed.height() ||
            !window->rect().contains(where))
            QDebug(&cut.emplace_back()) << w->objectName() << w->size() << "needs" << needed;
    }
    return cut;
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
        auto *control = qobject_cast<QWidget *>(node->object());
        QString frame, prompt;
        for (QWidget *w = control ? control->parentWidget() : nullptr; w && frame.isEmpty();
             w = w->parentWidget())
            if (auto *box = qobject_cast<QGroupBox *>(w))
                frame = box->title();
        if (auto *combo = qobject_cast<QComboBox *>(control))
            prompt = combo->isEditable() ? combo->lineEdit()->placeholderText()
                                         : combo->placeholderText();
        const auto fault = [&](bool wrong, const char *why) {
            if (wrong)
                found.append(what + QLatin1String(why));
        };
        fault(!node->rect().intersects(inside), " is offered but lies outside the window");
        fault(state.focusable && name.trimmed().isEmpty(), " has no name");
        fault(state.focusable && !frame.isEmpty() && name == frame, " is named by its frame");
        fault(control && !control->toolTip().isEmpty() &&
                  node->text(QAccessible::Description) != control->toolTip(),
              " is not described by its tooltip");
        fault(!prompt.isEmpty() && name != prompt, " does not read its prompt");
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

Visit wizardPage(int page, const QString &picks = "pick cmbGameType=Kestrune DM Free for All "
                                                  "(FFA); pick cmbAmmo=1 Stingy; pick "
                                                  "cmbglblWeapon=Blaster") {
    return [page, picks](GuiFixture &f, const Check &check) {
        WizardDriver w(f);
        w.start();
        w.run(QStringLiteral("next %1; ").arg(qMin(page - 1, 1)) +
              (page > 2 ? picks + QStringLiteral("; next %1").arg(page - 2) : QString()));
        check(w.page());
    };
}

// An editor shown; larger, its list or text takes the room, and it is never
// smaller than its least size.
template <class Editor> Visit editor(Editor &(WizardController::*which)(), const char *grower) {
    return [which, grower](GuiFixture &f, const Check &check) {
        Editor &window = (f.main().procedures().wizard().*which)();
        window.showModal();
        check(&window);
        auto *control = GuiFixture::control<QWidget>(&window, grower);
        const QSize before = control->size();
        window.resize(window.size() + QSize(100, 80));
        QTRY_VERIFY(control->width() > before.width() && control->height() > before.height());
        window.resize(0, 0);
        QVERIFY(!window.minimumSize().isEmpty());
        QCOMPARE(window.size(), window.minimumSize());
    };
}

const QList<std::pair<const char *, Visit>> &windows() {
    static const QList<std::pair<const char *, Visit>> table{
        {"main window, compact", [](GuiFixture &f, const Check &check) { check(&f.main()); }},
        // Grown from a compact window low on the screen, the window stays
        // inside the available area, made smaller on a small screen.
        {"main window, grown, with findings",
         [](GuiFixture &f, const Check &check) {
             frmOutput &m = f.main();
             const QRect available = m.screen()->availableGeometry();
             m.move(available.left() + 10, available.bottom() - m.frameGeometry().height() - 10);
             WizardDriver(f).runWithDefaults();
             // On every screen that can hold the window's least size.
             const QSize least = m.centralWidget()->minimumSize() + QSize(60, 120);
             if (least.boundedTo(available.size()) == least)
                 QVERIFY(available.contains(m.frameGeometry()));
             // A value left out is a finding: the list under the text shows.
             m.txtOutput->appendPlainText(QStringLiteral("set timelimit"));
             QTRY_VERIFY(GuiFixture::control<QWidget>(&m, "lstFindings")->isVisible());
             check(&m);
         }},
        {"maplist editor", editor(&WizardController::maplistEditor, "lstMaps")},
        {"message-of-the-day editor", editor(&WizardController::motdEditor, "txtMOTD")},
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
    // A dark look, as a dark desktop theme gives.
    void initTestCase() {
        if (qEnvironmentVariable("KESTRUNE_TEST_LOOK") != QLatin1String("dark"))
            return;
        QPalette dark(QColor(53, 53, 53));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, Qt::white);
        dark.setColor(QPalette::Base, QColor(35, 35, 35));
        QApplication::setPalette(dark);
    }

    void everyWindow_data() {
        QTest::addColumn<Visit>("visit");
        for (const auto &[name, visit] : windows())
            QTest::newRow(name) << visit;
        for (int page = 1; page <= 7; ++page)
            QTest::addRow("wizard page %d", page) << wizardPage(page);
        for (int page : {5, 6})
            QTest::addRow("wizard page %d, rail-only", page)
                << wizardPage(page, "pick cmbGameType=Kestrune Rail-Only Insta-Gib Teamplay");
    }
    void everyWindow() {
        QFETCH(Visit, visit);
        GuiFixture f;
        QStringList found{QStringLiteral("the window never showed")};
        visit(f, [&](QWidget *window) {
            found = QTest::qWaitForWindowExposed(window) ? cutTexts(window) + faults(window)
                                                         : QStringList{"not shown"};
            // On a screen of 800 by 600 (the offscreen one at scale 1) every window fits.
            const QSize screen = window->screen()->availableGeometry().size();
            const QSize frame = window->frameGeometry().size();
            if (screen.width() >= 800 && screen.height() >= 600 && frame.boundedTo(screen) != frame)
                QDebug(&found.emplace_back()) << window->objectName() << "is" << frame;
        });
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }

    // Each scale in the platform's style and in dark Fusion (Qt turns a higher
    // font DPI into such a scale); on a small screen of high resolution,
    // 1024 by 768 at 144 dpi, the grown main window.
    void otherScreens_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        for (const char *scale : {"1", "1.5", "2"})
            for (const bool dark : {false, true})
                if (scale != QLatin1String("1") || dark)
                    QTest::addRow("scale %s%s", scale, dark ? ", dark Fusion" : "")
                        << QStringList{QStringLiteral("QT_SCALE_FACTOR=") + scale,
                                       dark ? "KESTRUNE_TEST_LOOK=dark" : ""}
                        << (dark ? QStringList{"-style", "Fusion"} : QStringList()) +
                               QStringList{"everyWindow"};
        QTest::newRow("small screen")
            << QStringList{"QT_QPA_PLATFORM=offscreen:configfile=" SMALL_SCREEN_CONFIG}
            << QStringList{"everyWindow:main window, grown, with findings"};
    }
    void otherScreens() {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QProcess child;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const QString &setting : environment)
            if (!setting.isEmpty())
                variables.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        child.setProcessEnvironment(variables);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForFinished(240000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAll().constData());
    }
};

QTEST_MAIN(TestEveryWindow)
#include "test_everywindow.moc"
