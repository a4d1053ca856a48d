#pragma once

#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>

#include "networks/finder_request.h"
#include "ui/finder_results.h"
#include "ui/finder_search.h"

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
// change. Every field holds the text of one option of the command line, and
// an empty field stands for the option's default, which its placeholder
// shows; a request that cannot be searched is named in the command line's
// words inside the window.
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
    void buildResults();
    void showModeFields();
    void showPartsFields();
    void updatePlaceholders();
    void chooseStockFile();
    void copySelectedRows();

    networks::FinderOptions optionsOfForm() const;
    void searchForm();
    // Says that a search is under way and dims the older results, or stops.
    void showSearching(bool searching);
    void showResults(std::shared_ptr<const FinderResults> results);
    void showProblem(const QString& problem);
    void rememberForm();
    void restoreForm();

    QFormLayout* m_form = nullptr;
    struct {
        QAbstractButton* network;
        QAbstractButton* divider;
        QLineEdit* wanted;
        QLineEdit* ratio;
        QLineEdit* vref;
        QLineEdit* vout;
        QAbstractButton* useSeries;
        QComboBox* series;
        QLineEdit* lowest;
        QLineEdit* highest;
        QAbstractButton* useStock;
        QAbstractButton* openStock;
        QPlainTextEdit* stock;
        QLineEdit* exclude;
        QLineEdit* fewestParts;
        QLineEdit* mostParts;
        QLineEdit* top;
        QLineEdit* tolerance;
        QLineEdit* partTolerance;
        QLineEdit* lowestTotal;
        QLineEdit* highestTotal;
    } m_fields{};
    QWidget* m_seriesRow = nullptr;
    QWidget* m_stockRow = nullptr;
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
