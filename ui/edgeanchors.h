#pragma once

#include <QObject>
#include <vector>

class QWidget;

namespace varnok {

// Keeps children of a container at a fixed distance from its right edge
// when the container is resized: either moved along (a button) or
// stretched from a fixed left edge (a strip).
class EdgeAnchors : public QObject {
    Q_OBJECT
public:
    explicit EdgeAnchors(QWidget *container);

    // The child's right edge stays `distance` pixels from the container's.
    void keepRight(QWidget *child, int distance);
    // The child keeps its left edge and ends `distance` pixels from the
    // container's right edge.
    void stretchRight(QWidget *child, int distance);

    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Anchor {
        QWidget *child;
        int distance;
        bool stretch;
    };
    QWidget *m_container;
    std::vector<Anchor> m_anchors;
};

} // namespace varnok
