#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Compares what a running server holds with what its server file sets: the
// file says which variables to ask for and what each should hold, the server
// answers, and every variable whose answer differs is listed with the file's
// line and, where the console check foresaw it, the finding that explains it.
namespace ServerComparison {

// A variable the file sets, as the console reads the line.
struct Expectation {
    QString variable;
    QString value;
    int line = 0;          // counted from 0
    QString lineText;      // the file's line
    bool afterMap = false; // set aside by "map" until a player connects
};

// The last setting of each variable, by "set" or by a bare "name value" the
// console takes as one, in the order of the file.
QList<Expectation> expectations(QStringView fileText);

struct Difference {
    Expectation expected;
    std::optional<QString> held; // nothing: the server does not know the variable
    QString explanation;         // the console check's findings on that line
    friend bool operator==(const Difference &a, const Difference &b) {
        return a.expected.variable == b.expected.variable && a.held == b.held &&
               a.explanation == b.explanation;
    }
};

// The differences between the file and the server's answers (a variable
// absent from `held` is one the server does not know).
QList<Difference> differences(QStringView fileText, const QHash<QString, QString> &held);

// The console's answer to a variable's name: "name" is "value".
std::optional<QString> consoleAnswer(QStringView line, QStringView variable);

// The console command that asks for a variable.
QString question(const QString &variable);

// How a difference reads in a list, in plain words.
QString describe(const Difference &difference);

// One line that sums the comparison up, for the windows that show it.
QString summary(const QList<Difference> &differences, int asked);

} // namespace ServerComparison
