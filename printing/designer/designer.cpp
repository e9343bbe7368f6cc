#include "printing/designer/designer.h"

#include "printing/designer/designerwindow.h"

#include <QSet>

namespace varnok::designer {

bool designReport(report::Report &report, const QStringList &datasetColumns, QWidget *parent,
                  DesignerOptions options) {
    static QSet<const report::Report *> open;
    if (open.contains(&report))
        return false;
    open.insert(&report);
    struct Release {
        const report::Report *r;
        ~Release() { open.remove(r); }
    } release{&report};

    if (!datasetColumns.isEmpty())
        options.datasetColumns = datasetColumns;
    DesignerWindow window(report, std::move(options), parent);
    window.exec();
    return window.wasSaved();
}

} // namespace varnok::designer
