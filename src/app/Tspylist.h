#pragma once

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <string>
#include <vector>

namespace glypharo {

// The spectators ("spies"): one entry "seat: name" each. The host can remove
// the entry under the pointer through the context menu.
class Tspylist : public QDialog {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);
    ~Tspylist() override;

    QLabel heading;
    QListWidget listbox_spys;
    QMenu popup_kickhim;
    QAction* RemoveFromGame1 = nullptr;
    QPushButton button_done;

    void setEntries(const std::vector<std::string>& entries);
    // The entry index under the pointer, -1 over empty space.
    int hoveredIndex() const { return hovered_; }
    void setRemovalEnabled(bool on) { RemoveFromGame1->setEnabled(on); }

Q_SIGNALS:
    // "Remove From Game" chosen over an entry.
    void removeRequested(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int hovered_ = -1;
};

} // namespace glypharo
