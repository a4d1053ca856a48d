#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <tuple>

#include "engine/series.h"
#include "engine/window_operations.h"

class QLabel;
class QLineEdit;

namespace gosei::ui {

class FinderWindow;
class HelpWindow;

// Form1: the two boxes, the series buttons and the result grid. It carries
// out the engine's window operations and adds nothing to the calculation.
class MainWindow : public QWidget, public WindowOperations {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // One whole calculation, as a series button runs it.
    void calculate(Series series);
    // Shows the help window, creating it on first use or after it was closed.
    void showHelp();
    HelpWindow* helpWindow() const;
    // Ctrl+F or the context menu: shows the finder window, creating it on first use, so that
    // the main window starts without it.
    void showFinder();
    FinderWindow* finderWindow() const;

    std::string readTargetText() override;
    std::string readToleranceText() override;
    void setCellText(Block block, int row, Cell cell, std::string_view text) override;
    std::string readCellText(Block block, int row, Cell cell) override;
    void showToleranceMessage() override;
    void showTargetMessage() override;
    void showRangeMessage() override;
    void clearToleranceText() override;

  signals:
    // The user closed the main window: the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void returnFromHelp();
    QLabel* cellLabel(Block block, int row, Cell cell) const;

    QLineEdit* m_target = nullptr;
    QLineEdit* m_tolerance = nullptr;
    std::map<std::tuple<Block, int, Cell>, QLabel*> m_cells;
    QPointer<HelpWindow> m_help;
    QPointer<FinderWindow> m_finder;
};

// Ends the application's event loop when the main window is closed, even
// while the help window is shown or hidden.
void quitWhenClosed(MainWindow& window);

}  // namespace gosei::ui
