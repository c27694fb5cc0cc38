#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstring>

// One row of the benchmark table: "measure<TAB>value<TAB>unit<TAB>goal<TAB>met". A goal is "-", or a comparison
// with a number ("<= 3", "< 16", ">= 0.25"), stated once: as a ratio against an anchor measured in the same run
// where there is one. Whether it is met is judged here on the exact value, not on the digits the table shows:
// 3.0045 shown as 3.00 misses "<= 3".
inline const char *goalMet(double value, const char *goal)
{
    char comparison[3] = {};
    double bound = 0;
    if (std::sscanf(goal, "%2[<>=] %lf", comparison, &bound) != 2)
        return "";
    bool met = false;
    if (std::strcmp(comparison, "<=") == 0)
        met = value <= bound;
    else if (std::strcmp(comparison, "<") == 0)
        met = value < bound;
    else if (std::strcmp(comparison, ">=") == 0)
        met = value >= bound;
    else if (std::strcmp(comparison, ">") == 0)
        met = value > bound;
    else
        return "";
    return met ? "yes" : "MISSED";
}

inline void printRow(const QString &measure, double value, const char *unit, const QString &goal = QStringLiteral("-"),
                     int decimals = 2)
{
    const QByteArray goalText = goal.toUtf8();
    std::printf("%s\t%.*f\t%s\t%s\t%s\n", measure.toUtf8().constData(), decimals, value, unit, goalText.constData(),
                goalMet(value, goalText.constData()));
}

// A row whose value is a word: its goal is met when the value is that word.
inline void printWordRow(const QString &measure, const char *word, const char *goal)
{
    std::printf("%s\t%s\t-\t%s\t%s\n", measure.toUtf8().constData(), word, goal,
                std::strcmp(word, goal) == 0 ? "yes" : "MISSED");
}
