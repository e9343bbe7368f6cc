#pragma once

#include "printing/designer/designer.h"

#include <QDialog>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QScrollArea;
class QTabBar;

namespace varnok::designer {

class DesignCanvas;
class DesignDocument;
class PropertiesPanel;
struct ExpressionSources;

// The designer's window: menus and tool bar, the page tabs, the page on
// its canvas, the properties panel and a status line.
class DesignerWindow : public QDialog {
    Q_OBJECT
public:
    DesignerWindow(report::Report &report, DesignerOptions options, QWidget *parent = nullptr);
    ~DesignerWindow() override;

    DesignDocument &document() { return *m_doc; }
    DesignCanvas *canvas() const { return m_canvas; }
    PropertiesPanel *properties() const { return m_properties; }

    // Saves to the report's file name (asking for one when it has none).
    // An error shows in the engine's error box; the result says whether
    // the file was written.
    bool save();
    bool saveAs();
    bool wasSaved() const { return m_saved; }

    void editText(int index);
    void pageSetup();
    void cut();
    void copy();
    void paste();
    void deleteSelected();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addAction(const QString &name, const QString &text, const QKeySequence &key,
                       const std::function<void()> &slot);
    void buildActions();
    void buildMenus(QWidget *menuHost);
    QWidget *buildToolBar();
    void updatePageTabs();
    void updateTitle();
    void updateActions();
    void showCursor(const QPointF &mm);
    bool writeTo(const QString &path);
    ExpressionSources expressionSources() const;

    report::Report &m_report;
    DesignerOptions m_options;
    DesignDocument *m_doc;
    DesignCanvas *m_canvas;
    PropertiesPanel *m_properties;
    QScrollArea *m_scroll;
    QTabBar *m_pageTabs;
    QComboBox *m_zoom = nullptr;
    QLabel *m_status;
    QActionGroup *m_tools = nullptr;
    bool m_saved = false;
};

} // namespace varnok::designer
