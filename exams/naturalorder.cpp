#include "exams/naturalorder.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <string>

namespace exams {

namespace {

int digitOf(QChar c) {
    return c.isDigit() ? c.digitValue() : -1;
}

// A Chinese numeral's value as a digit, or -1.
int chineseDigit(QChar c) {
    static const QString digits = QStringLiteral("〇一二三四五六七八九");
    if (c == u'零')
        return 0;
    if (c == u'两')
        return 2;
    return int(digits.indexOf(c));
}
// 十, 百 and 千 as their powers of ten, or 0.
int chineseUnit(QChar c) {
    return c == u'十' ? 10 : c == u'百' ? 100 : c == u'千' ? 1000 : 0;
}
bool isChineseNumeral(QChar c) {
    return chineseDigit(c) >= 0 || chineseUnit(c) > 0;
}

// A run of Chinese numerals as a number: "十一" 11, "二十" 20, "一百零五"
// 105; a run without 十, 百 or 千 digit by digit, as years are written:
// "二〇二六" 2026.
qulonglong chineseValue(QStringView run) {
    if (std::none_of(run.begin(), run.end(), [](QChar c) { return chineseUnit(c) > 0; })) {
        qulonglong value = 0;
        for (const QChar c : run)
            value = std::min<qulonglong>(value * 10 + qulonglong(chineseDigit(c)), 1ULL << 60);
        return value;
    }
    qulonglong total = 0, digit = 0;
    bool anyDigit = false;
    for (const QChar c : run) {
        if (const int unit = chineseUnit(c)) {
            total += (anyDigit ? digit : 1) * qulonglong(unit);
            digit = 0;
            anyDigit = false;
        } else {
            digit = qulonglong(chineseDigit(c));
            anyDigit = true;
        }
    }
    return std::min<qulonglong>(total + digit, 1ULL << 60);
}

// Calls `part(isNumber, what)` for each part of a name in turn: a number as
// its decimal digits without leading zeros, or the text between numbers.
template <typename Part> void forEachPart(const QString& name, Part&& part) {
    for (qsizetype i = 0; i < name.size();) {
        qsizetype end = i;
        if (digitOf(name[i]) >= 0 || isChineseNumeral(name[i])) {
            QString digits;
            if (digitOf(name[i]) >= 0) {
                while (end < name.size() && digitOf(name[end]) >= 0)
                    digits += QChar(u'0' + digitOf(name[end++]));
            } else {
                while (end < name.size() && isChineseNumeral(name[end]))
                    ++end;
                digits = QString::number(chineseValue(QStringView(name).mid(i, end - i)));
            }
            qsizetype zeros = 0;
            while (zeros + 1 < digits.size() && digits[zeros] == u'0')
                ++zeros;
            part(true, QStringView(digits).mid(zeros));
        } else {
            while (end < name.size() && digitOf(name[end]) < 0 && !isChineseNumeral(name[end]))
                ++end;
            part(false, QStringView(name).mid(i, end - i));
        }
        i = end;
    }
}

// Names as keys that compare as plain sequences, so that sorting a whole
// grade costs no more than sorting numbers: a number is 0, its length and
// its digits (the shorter number the smaller, a number before text); a text
// is 1 and its rank among all the texts seen, as the Chinese collator
// orders them. So every name is seen first, then the texts ranked, then the
// keys made.
class Keys {
public:
    void see(const QString& name) {
        forEachPart(name, [this](bool number, QStringView text) {
            if (!number)
                m_ranks.insert(text.toString(), 0);
        });
    }

    void rank() {
        QStringList texts = m_ranks.keys();
        QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
        std::sort(texts.begin(), texts.end(), collator);
        for (qsizetype i = 0, rank = 0; i < texts.size(); ++i) {
            if (i > 0 && collator.compare(texts[i - 1], texts[i]) != 0)
                ++rank;
            m_ranks[texts[i]] = int(rank);
        }
    }

    std::u32string key(const QString& name) const {
        std::u32string key;
        forEachPart(name, [&](bool number, QStringView part) {
            if (number) {
                key += {0, char32_t(part.size())};
                for (const QChar digit : part)
                    key += char32_t(digit.unicode() - u'0');
            } else {
                key += {1, char32_t(m_ranks.value(part.toString()))};
            }
        });
        return key;
    }

private:
    QHash<QString, int> m_ranks;
};

} // namespace

int naturalCompare(const QString& a, const QString& b) {
    Keys keys;
    keys.see(a);
    keys.see(b);
    keys.rank();
    const int c = keys.key(a).compare(keys.key(b));
    return (c > 0) - (c < 0);
}

std::vector<int> byClass(const CandidateList& list) {
    const auto& candidates = list.candidates;
    // A whole grade has a few dozen classes: each one's key is made once.
    QHash<QString, int> classIndex;
    for (const Candidate& candidate : candidates)
        classIndex.insert(candidate.className, 0);
    Keys keys;
    for (auto c = classIndex.begin(); c != classIndex.end(); ++c)
        keys.see(c.key());
    for (const Candidate& candidate : candidates)
        keys.see(candidate.studentNo);
    keys.rank();
    std::vector<std::u32string> classKeys;
    for (auto c = classIndex.begin(); c != classIndex.end(); ++c) {
        c.value() = int(classKeys.size());
        classKeys.push_back(keys.key(c.key()));
    }
    std::vector<std::pair<int, std::u32string>> order;
    order.reserve(candidates.size());
    for (const Candidate& candidate : candidates)
        order.emplace_back(classIndex.value(candidate.className), keys.key(candidate.studentNo));
    std::vector<int> sorted(candidates.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    // Stable: pupils of one class with one number keep the list's order.
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        const auto& x = order[std::size_t(a)];
        const auto& y = order[std::size_t(b)];
        if (x.first != y.first)
            if (const int c =
                    classKeys[std::size_t(x.first)].compare(classKeys[std::size_t(y.first)]))
                return c < 0;
        return x.second < y.second;
    });
    return sorted;
}

} // namespace exams
