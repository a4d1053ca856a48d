#pragma once

#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <memory>
#include <optional>

#include "networks/finder_request.h"
#include "ui/finder_results.h"
#include "ui/finder_search.h"
#include "view/finder_form.h"

class QAbstractButton;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace gosei::ui {

class FinderResultsModel;

// 回路探索: the networks or dividers of `gosei-cli find` and `gosei-cli
// divider` for the request in the form, found again a moment after each
// change. The form is built from the finder's form table: every field holds
// the text of one option of the command line, and an empty field stands for
// the option's default, which its placeholder shows. A request that cannot be
// searched is named in Japanese, and its field is marked.
class FinderWindow : public QWidget {
    Q_OBJECT

  public:
    explicit FinderWindow(QWidget* parent = nullptr);
    ~FinderWindow() override;

    // Reads a stock list into the form and names it after the file, as
    // `--stock FILE` does.
    void openStockFile(const QString& path);
    // How long typing must pause before the form is searched.
    void setTypingPause(std::chrono::milliseconds pause) { m_typingPause.setInterval(pause); }

    QSize sizeHint() const override;

  signals:
    // The results, or the message, now show the newest request.
    void requestShown();

  protected:
    // Remembers the window's size and the form, which a new window, in this
    // run or the next, opens with.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildForm(QFormLayout* form);
    QWidget* inputFor(const view::FormField& field);
    void addSourceRow(QFormLayout* form);
    void buildResults();
    void showShownFields();
    void updatePlaceholders();
    void chooseStockFile();
    void copySelectedRows();

    view::FormTexts textsOfForm() const;
    QString textOf(networks::FinderField field) const;
    void setTextOf(networks::FinderField field, const QString& text);
    // Marks the field at fault, or none.
    void markField(std::optional<networks::FinderField> field, const QString& problem = {});
    void searchForm();
    // Says that a search is under way and dims the older results, or stops.
    void showSearching(bool searching);
    void showResults(std::shared_ptr<const FinderResults> results);
    void showProblem(const QString& problem);
    void showProblem(const networks::FinderProblem& problem, networks::FinderMode mode);
    void rememberForm();
    void restoreForm();

    // Each field's control (a line edit, the series box or the stock list)
    // and the label naming it; the form's row each field is in.
    std::array<QWidget*, networks::kFinderFieldCount> m_inputs{};
    std::array<QLabel*, networks::kFinderFieldCount> m_labels{};
    std::array<QWidget*, networks::kFinderFieldCount> m_rows{};
    QFormLayout* m_form = nullptr;
    QAbstractButton* m_network = nullptr;
    QAbstractButton* m_divider = nullptr;
    QAbstractButton* m_useSeries = nullptr;
    QAbstractButton* m_useStock = nullptr;
    QWidget* m_sourceRow = nullptr;
    // The field marked as the one at fault, if any.
    std::optional<networks::FinderField> m_fieldAtFault;
    QLabel* m_status = nullptr;
    QTableView* m_table = nullptr;
    FinderResultsModel* m_model = nullptr;

    // How messages name the stock list: after its file, until it is edited.
    std::string m_stockName;
    QSettings m_settings;
    QTimer m_typingPause;
    // Says that a search is under way once it has taken a while.
    QTimer m_searchingNotice;
    FinderSearch m_search;
};

}  // namespace gosei::ui
