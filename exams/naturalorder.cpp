#include "naturalorder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <map>
#include <numeric>
#include <optional>

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

// A name cut into numbers and the text between them. A number is kept as its
// decimal digits without leading zeros, so that numbers of any length
// compare: the shorter is the smaller, else digit by digit.
struct Part {
    bool number = false;
    QString digits;
    QString text;
};

std::vector<Part> partsOf(const QString& name) {
    std::vector<Part> parts;
    for (qsizetype i = 0; i < name.size();) {
        qsizetype end = i;
        Part part;
        if (digitOf(name[i]) >= 0) {
            while (end < name.size() && digitOf(name[end]) >= 0)
                part.digits += QChar(u'0' + digitOf(name[end++]));
        } else if (isChineseNumeral(name[i])) {
            while (end < name.size() && isChineseNumeral(name[end]))
                ++end;
            part.digits = QString::number(chineseValue(QStringView(name).mid(i, end - i)));
        } else {
            while (end < name.size() && digitOf(name[end]) < 0 && !isChineseNumeral(name[end]))
                ++end;
            part.text = name.mid(i, end - i);
        }
        part.number = !part.digits.isNull();
        if (part.number) {
            qsizetype zeros = 0;
            while (zeros + 1 < part.digits.size() && part.digits[zeros] == u'0')
                ++zeros;
            part.digits.remove(0, zeros);
        }
        parts.push_back(std::move(part));
        i = end;
    }
    return parts;
}

class NaturalOrder {
public:
    NaturalOrder() : m_collator(QLocale(QLocale::Chinese, QLocale::China)) {}

    // The parts of a name with the text parts' collation keys, made once a
    // name: a whole grade has a few dozen classes.
    struct Key {
        std::vector<Part> parts;
        std::vector<std::optional<QCollatorSortKey>> texts;
    };
    const Key& keyOf(const QString& name) {
        auto found = m_keys.find(name);
        if (found == m_keys.end()) {
            Key key;
            key.parts = partsOf(name);
            for (const Part& part : key.parts)
                key.texts.push_back(part.number ? std::nullopt
                                                : std::optional(m_collator.sortKey(part.text)));
            found = m_keys.emplace(name, std::move(key)).first;
        }
        return found->second;
    }

    static int compare(const Key& a, const Key& b) {
        for (std::size_t i = 0; i < a.parts.size() && i < b.parts.size(); ++i) {
            const Part &x = a.parts[i], &y = b.parts[i];
            if (x.number != y.number)
                return x.number ? -1 : 1;
            int c = 0;
            if (x.number)
                c = x.digits.size() != y.digits.size()
                        ? (x.digits.size() < y.digits.size() ? -1 : 1)
                        : x.digits.compare(y.digits);
            else
                c = a.texts[i]->compare(*b.texts[i]);
            if (c != 0)
                return c < 0 ? -1 : 1;
        }
        return (a.parts.size() > b.parts.size()) - (a.parts.size() < b.parts.size());
    }

private:
    QCollator m_collator;
    std::map<QString, Key> m_keys; // a map's keys stay where they are as it grows
};

} // namespace

int naturalCompare(const QString& a, const QString& b) {
    NaturalOrder order;
    return NaturalOrder::compare(order.keyOf(a), order.keyOf(b));
}

std::vector<int> byClass(const CandidateList& list) {
    const auto& candidates = list.candidates;
    NaturalOrder order;
    std::vector<std::pair<const NaturalOrder::Key*, const NaturalOrder::Key*>> keys;
    keys.reserve(candidates.size());
    for (const Candidate& candidate : candidates)
        keys.emplace_back(&order.keyOf(candidate.className), &order.keyOf(candidate.studentNo));
    std::vector<int> sorted(candidates.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    // Stable: pupils of one class with one number keep the list's order.
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        const auto& x = keys[std::size_t(a)];
        const auto& y = keys[std::size_t(b)];
        if (const int c = NaturalOrder::compare(*x.first, *y.first))
            return c < 0;
        return NaturalOrder::compare(*x.second, *y.second) < 0;
    });
    return sorted;
}

} // namespace exams
