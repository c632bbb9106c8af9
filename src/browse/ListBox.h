#pragma once

#include <QListWidget>

#include <string>

namespace quillax {

// A list box with the designed semantics: ListIndex (-1 when nothing is chosen), a Click raised
// whenever the chosen entry changes, by the user or by setting ListIndex from code; Clear raises none.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int16_t ListIndex() const;
    // An index outside -1 .. ListCount - 1 is an invalid property value.
    void SetListIndex(int32_t index);
    int16_t ListCount() const { return static_cast<int16_t>(count()); }
    void AddItem(const std::string& text);
    void Clear();
    // Beyond the design, for edits that keep the chosen mesh and its marks: like Clear, neither raises
    // Click.
    void RemoveLastItem();
    void SetListIndexQuietly(int32_t index);
    // The entry chosen elsewhere shown without a Click, where the list holds it.
    void ShowQuietly(int32_t index);

signals:
    void Click();

protected:
    bool event(QEvent* event) override;

private:
    bool Quiet = false;
    // The redraw reads the index once per marker: keep it at hand.
    int16_t ChosenRow = -1;
};

// Entries "Mesh 0" to "Mesh count - 1", the last ones removed or added without a Click.
void FitMeshEntries(ListBox& list, int32_t count);

} // namespace quillax
