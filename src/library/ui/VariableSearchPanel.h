#pragma once
// "Variable Search": draws the search state and forwards Cancel.
#include <QGroupBox>

class QLineEdit;
class QListWidget;

namespace z7 {
class VariableSearch;
}

class VariableSearchPanel : public QGroupBox {
    Q_OBJECT
public:
    VariableSearchPanel(z7::VariableSearch& search, QWidget* parent = nullptr);

    // Shows the searched name and its uses as the search holds them.
    void refresh();
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* results() const { return results_; }

signals:
    void cancelClicked();

private:
    z7::VariableSearch& search_;
    QLineEdit* searchField_ = nullptr;
    QListWidget* results_ = nullptr;
};
