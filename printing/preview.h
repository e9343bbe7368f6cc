#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;
class QWidget;

namespace varnok::report {
class Report;
}

namespace varnok::printing {

class PageView;

// The modal preview of a prepared report: pages drawn from the same
// display list as the PDF, zoom, page navigation, find, printing with
// page setup, the export menu, and opening and saving prepared reports.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(report::Report &report, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    int pageCount() const;
    int currentPage() const { return m_page; } // from 1; 0 when there are no pages
    void setPage(int page);

    double zoomPercent() const { return m_zoom; }
    void setZoomPercent(double percent);
    void zoomWholePage();
    void zoomPageWidth();

    // Finds text from the page after the current hit onwards (wrapping
    // round), shows that page and highlights the hits on it. False when
    // the text is nowhere.
    bool findNext(const QString &text);

    // The export menu: one entry per export that exists now.
    QMenu *exportMenu() const { return m_exportMenu; }
    QPrinter &printer();

    void printReport();
    void pageSetup();
    void openReport();
    void saveReport();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Fit { None, WholePage, PageWidth };

    void buildToolBar();
    void buildFindBar();
    void fillExportMenu();
    void updateView();
    void applyFit();
    void syncPrinterPage();
    double pixelsPerPoint() const;

    report::Report &m_report;
    std::unique_ptr<QPrinter> m_printer;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCountLabel = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QMenu *m_exportMenu = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QLabel *m_findStatus = nullptr;
    QString m_findText;
    int m_page = 0;
    double m_zoom = 100;
    Fit m_fit = Fit::WholePage;
};

} // namespace varnok::printing
