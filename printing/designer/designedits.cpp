#include "printing/designer/designedits.h"

#include "printing/designer/designdocument.h"
#include "printing/designer/objectgeometry.h"

#include <algorithm>

namespace varnok::designer {

using report::ReportObject;

namespace {

std::vector<ReportObject> &objectsOf(DesignState &s) {
    return s.templ.pages[size_t(s.page)].objects;
}

// Runs f on each selected object of the state.
void forSelected(DesignState &s, const std::function<void(ReportObject &)> &f) {
    auto &objects = objectsOf(s);
    for (int i : s.selection)
        if (i >= 0 && i < int(objects.size()))
            f(objects[size_t(i)]);
}

// Moves the selected objects to the front or back, keeping their order.
void restack(DesignState &s, bool toFront) {
    auto &objects = objectsOf(s);
    std::vector<ReportObject> picked, rest;
    for (int i = 0; i < int(objects.size()); ++i)
        (std::binary_search(s.selection.begin(), s.selection.end(), i) ? picked : rest)
            .push_back(objects[size_t(i)]);
    const int first = toFront ? int(rest.size()) : 0;
    objects = toFront ? rest : picked;
    objects.insert(objects.end(), (toFront ? picked : rest).begin(),
                   (toFront ? picked : rest).end());
    s.selection.clear();
    for (int i = 0; i < int(picked.size()); ++i)
        s.selection.push_back(first + i);
}

QString prefixFor(const ReportObject &o) {
    if (std::holds_alternative<report::TextObject>(o))
        return QStringLiteral("Text");
    if (std::holds_alternative<report::LineObject>(o))
        return QStringLiteral("Cara");
    return QStringLiteral("Obdelnik");
}

} // namespace

void moveSelection(DesignDocument &doc, const QPointF &delta, int mergeId) {
    editSelection(
        doc, QStringLiteral("Přesunutí"),
        [&](ReportObject &o) {
            moveBy(o, delta);
            return true;
        },
        mergeId);
}

void growSelection(DesignDocument &doc, const QPointF &delta, int mergeId) {
    editSelection(
        doc, QStringLiteral("Změna velikosti"),
        [&](ReportObject &o) {
            growBy(o, delta);
            return true;
        },
        mergeId);
}

void deleteSelection(DesignDocument &doc, const QString &text) {
    if (doc.selection().empty())
        return;
    doc.change(text, [](DesignState &s) {
        auto &objects = objectsOf(s);
        for (auto it = s.selection.rbegin(); it != s.selection.rend(); ++it)
            if (*it >= 0 && *it < int(objects.size()))
                objects.erase(objects.begin() + *it);
        s.selection.clear();
    });
}

void insertObjects(DesignDocument &doc, std::vector<ReportObject> objects, const QString &text) {
    if (objects.empty())
        return;
    doc.change(text, [&](DesignState &s) {
        auto &page = s.templ.pages[size_t(s.page)];
        s.selection.clear();
        for (ReportObject &o : objects) {
            // Names stay unique on a page; pasted copies get new ones.
            const QString name = nameOf(o);
            bool taken = false;
            for (const ReportObject &existing : page.objects)
                taken = taken || (!name.isEmpty() &&
                                  nameOf(existing).compare(name, Qt::CaseInsensitive) == 0);
            if (name.isEmpty() || taken)
                setNameOf(o, freeName(page, prefixFor(o)));
            s.selection.push_back(int(page.objects.size()));
            page.objects.push_back(std::move(o));
        }
    });
}

void setObjectText(DesignDocument &doc, int index, const QString &text) {
    doc.change(QStringLiteral("Úprava textu"), [&](DesignState &s) {
        auto &objects = objectsOf(s);
        if (index < 0 || index >= int(objects.size()))
            return;
        if (auto *t = std::get_if<report::TextObject>(&objects[size_t(index)]))
            t->text = text;
    });
}

void editSelection(DesignDocument &doc, const QString &text,
                   const std::function<bool(ReportObject &)> &edit, int mergeId) {
    if (doc.selection().empty())
        return;
    doc.change(
        text, [&](DesignState &s) { forSelected(s, [&](ReportObject &o) { edit(o); }); }, mergeId);
}

void bringToFront(DesignDocument &doc) {
    if (!doc.selection().empty())
        doc.change(QStringLiteral("Do popředí"), [](DesignState &s) { restack(s, true); });
}

void sendToBack(DesignDocument &doc) {
    if (!doc.selection().empty())
        doc.change(QStringLiteral("Do pozadí"), [](DesignState &s) { restack(s, false); });
}

void setPageSetup(DesignDocument &doc, const report::Page &setup) {
    doc.change(QStringLiteral("Vzhled stránky"), [&](DesignState &s) {
        report::Page &p = s.templ.pages[size_t(s.page)];
        p.paper = setup.paper;
        p.size = setup.size;
        p.orientation = setup.orientation;
        p.margins = setup.margins;
    });
}

void addPage(DesignDocument &doc) {
    doc.change(QStringLiteral("Nová stránka"), [](DesignState &s) {
        report::Page page;
        const report::Page &current = s.templ.pages[size_t(s.page)];
        page.paper = current.paper;
        page.size = current.size;
        page.orientation = current.orientation;
        page.margins = current.margins;
        page.name = QStringLiteral("Page%1").arg(s.templ.pages.size() + 1);
        s.templ.pages.push_back(page);
        s.page = int(s.templ.pages.size()) - 1;
        s.selection.clear();
    });
}

void removePage(DesignDocument &doc) {
    if (doc.templ().pages.size() < 2)
        return;
    doc.change(QStringLiteral("Odstranění stránky"), [](DesignState &s) {
        s.templ.pages.erase(s.templ.pages.begin() + s.page);
        s.page = qMin(s.page, int(s.templ.pages.size()) - 1);
        s.selection.clear();
    });
}

void selectAll(DesignDocument &doc) {
    std::vector<int> all(doc.page().objects.size());
    for (int i = 0; i < int(all.size()); ++i)
        all[size_t(i)] = i;
    doc.setSelection(std::move(all));
}

std::vector<ReportObject> selectedObjects(const DesignDocument &doc) {
    std::vector<ReportObject> out;
    for (int i : doc.selection())
        if (const ReportObject *o = doc.object(i))
            out.push_back(*o);
    return out;
}

ReportObject newText(const QRectF &box) {
    report::TextObject t;
    t.rect = box;
    t.font = defaultFont();
    return t;
}

ReportObject newLine(const QPointF &from, const QPointF &to) {
    report::LineObject l;
    l.from = from;
    l.to = to;
    return l;
}

ReportObject newRect(const QRectF &box) {
    report::RectObject r;
    r.rect = box;
    return r;
}

} // namespace varnok::designer
