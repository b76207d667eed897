#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class QComboBox;

// A visible, editable list of names paired by position with a hidden list of keys. The refill that owns a pair
// is the only code that empties or fills it; picking name i makes key i current.
namespace picklist {

// Fills both lists with these items in one step each; lists that already hold exactly them keep their items.
// Either way neither has a current item afterwards and the visible text is empty.
void fill(QComboBox* names, QComboBox* keys, const QStringList& nameItems, const QStringList& keyItems);

// Leaves both lists without a current item after a fill.
void finishFill(QComboBox* names, QComboBox* keys);

// The select handler: key i becomes current for the picked name i.
void select(QComboBox* names, QComboBox* keys);

// The key of the chosen item: the hidden list's text, but only while the visible text still names the item
// that was picked; typed text that names no picked item chooses nothing.
QString chosenKey(const QComboBox* names, const QComboBox* keys);

// A hidden key list (a combo box that is never shown). Both kinds of list keep their items in a string list
// model, so a refill of thousands of items is one change, not one per item.
QComboBox* makeKeyList(QWidget* parent, const QString& objectName);

// A visible, editable list of names.
QComboBox* makeNameList(QWidget* parent, const QString& objectName);

} // namespace picklist
