#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

#include "assess/Assessment.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// The documents the rows cite, numbered in the order they are first cited: the list of norms
// names only what the protocol used.
class NormList {
public:
    QString Cite(std::initializer_list<const char*> sources) {
        QStringList marks;
        for (const char* source : sources) {
            const QString text = QString::fromUtf8(source);
            qsizetype i = used_.indexOf(text);
            if (i < 0) {
                used_.push_back(text);
                i = used_.size() - 1;
            }
            marks << QStringLiteral("[%1]").arg(i + 1);
        }
        return marks.join(QStringLiteral(", "));
    }
    std::vector<QString> Lines() const {
        std::vector<QString> lines;
        for (qsizetype i = 0; i < used_.size(); ++i) {
            lines.push_back(QStringLiteral("[%1] %2").arg(i + 1).arg(used_[i]));
        }
        return lines;
    }

private:
    QStringList used_;
};

// The rows of one height's results: each quantity's figures against its norm and class, the
// norms they rest on cited in norms.
[[nodiscard]] std::vector<ProtocolResultRow> ResultRows(const Assessment& a,
                                                        const AssessInputs& in, NormList& norms);

}  // namespace lmr
