#include "WizardDriver.h"
#include "about/frmAbout.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

// Every window as a screen reader meets it, through Qt's own accessibility
// interface: every control that takes the focus has a name, which is not just
// the caption of the frame around it; a drop-down with a prompt is named by
// its prompt; a tooltip is read as the description; and nothing is offered
// that lies outside the window.
namespace {

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

// A control by its object name; a part of one (the box of an editable
// drop-down, an entry of a list) by its kind and the control it belongs to.
QString describe(QAccessibleInterface *node, const QString &name) {
    QObject *object = node->object();
    if (object && !object->objectName().isEmpty())
        return object->objectName();
    QString owner;
    for (QAccessibleInterface *up = node->parent(); up && owner.isEmpty(); up = up->parent())
        owner = up->object() ? up->object()->objectName() : QString();
    return QStringLiteral("%1 \"%2\" of %3")
        .arg(object ? QString::fromLatin1(object->metaObject()->className())
                    : QStringLiteral("entry"),
             name, owner);
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
        const QString what = describe(node, name);
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

Visit wizardPage(int page) {
    return [page](GuiFixture &f, const Check &check) {
        WizardDriver w(f);
        w.start();
        for (int i = 1; i < page; ++i) {
            if (w.pageName() == QLatin1String("frmServerWizard3")) {
                w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
                w.choose("cmbAmmo", "1 Stingy");
                w.choose("cmbglblWeapon", "Blaster");
            }
            w.next();
        }
        check(w.page());
    };
}

QDialog *dialogOf(frmOutput &main, const char *name) {
    return GuiFixture::control<QDialog>(&main, QString::fromLatin1(name));
}

const QList<std::pair<const char *, Visit>> &windows() {
    static const QList<std::pair<const char *, Visit>> table{
        {"main window, compact", [](GuiFixture &f, const Check &check) { check(&f.main()); }},
        {"main window, grown, with findings",
         [](GuiFixture &f, const Check &check) {
             WizardDriver(f).runWithDefaults();
             // A value left out is a finding: the list under the text shows.
             f.main().txtOutput->appendPlainText(QStringLiteral("set timelimit"));
             QTRY_VERIFY(GuiFixture::control<QWidget>(&f.main(), "lstFindings")->isVisible());
             check(&f.main());
         }},
        {"wizard page 1", wizardPage(1)},
        {"wizard page 2", wizardPage(2)},
        {"wizard page 3", wizardPage(3)},
        {"wizard page 4", wizardPage(4)},
        {"wizard page 5", wizardPage(5)},
        {"wizard page 6", wizardPage(6)},
        {"wizard page 7", wizardPage(7)},
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
             check(dialogOf(f.main(), "frmShortcut"));
         }},
        {"About",
         [](GuiFixture &f, const Check &check) {
             f.main().mnuAbout->trigger();
             check(dialogOf(f.main(), "frmAbout"));
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

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyWindowToAScreenReader_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < windows().size(); ++row)
            QTest::newRow(windows()[row].first) << row;
    }

    void everyWindowToAScreenReader() {
        QFETCH(int, row);
        GuiFixture f;
        QStringList found;
        bool checked = false;
        windows()[row].second(f, [&](QWidget *window) {
            if (!QTest::qWaitForWindowExposed(window))
                found.append(window->objectName() + QStringLiteral(" not shown"));
            found += faults(window);
            checked = true;
        });
        QVERIFY2(checked, "the window never showed");
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
