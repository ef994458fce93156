#include "library/ui/VariableSearchPanel.h"

#include "doc/VariableSearch.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

VariableSearchPanel::VariableSearchPanel(z7::VariableSearch& search, QWidget* parent)
    : QGroupBox(z7::VariableSearch::Caption, parent), search_(search) {
    setObjectName("VariableSearchPanel");
    auto* searchLabel = new QLabel(z7::VariableSearch::SearchLabel, this);
    searchLabel->setGeometry(16, 22, 300, 18);
    searchField_ = new QLineEdit(this);
    searchField_->setGeometry(16, 42, 300, 24);
    searchField_->setReadOnly(true);
    searchField_->setToolTip(z7::VariableSearch::SearchHint);
    auto* resultLabel = new QLabel(z7::VariableSearch::ResultLabel, this);
    resultLabel->setGeometry(16, 76, 300, 18);
    results_ = new QListWidget(this);
    results_->setGeometry(16, 96, 513, 270);
    auto* explanation = new QLabel(z7::VariableSearch::Explanation, this);
    explanation->setGeometry(16, 376, 400, 30);
    explanation->setWordWrap(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(439, 376, 90, 30);
    connect(cancel, &QPushButton::clicked, this, &VariableSearchPanel::cancelClicked);
}

void VariableSearchPanel::refresh() {
    searchField_->setText(toQt(search_.searchText()));
    results_->clear();
    for (const std::string& line : search_.results()) results_->addItem(toQt(line));
}
