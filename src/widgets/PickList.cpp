#include "widgets/PickList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringListModel>

namespace picklist {

void fill(QComboBox* names, QComboBox* keys, const QStringList& nameItems, const QStringList& keyItems) {
    auto* nameModel = qobject_cast<QStringListModel*>(names->model());
    auto* keyModel = qobject_cast<QStringListModel*>(keys->model());
    if (nameModel && keyModel) {
        if (nameModel->stringList() != nameItems || keyModel->stringList() != keyItems) {
            nameModel->setStringList(nameItems);
            keyModel->setStringList(keyItems);
        }
    } else {
        names->clear();
        keys->clear();
        names->addItems(nameItems);
        keys->addItems(keyItems);
    }
    finishFill(names, keys);
}

void finishFill(QComboBox* names, QComboBox* keys) {
    if (names->currentIndex() != -1)
        names->setCurrentIndex(-1);
    if (keys->currentIndex() != -1)
        keys->setCurrentIndex(-1);
    if (names->isEditable() && !names->currentText().isEmpty())
        names->setEditText(QString());
}

void select(QComboBox* names, QComboBox* keys) {
    keys->setCurrentIndex(names->currentIndex());
}

QString chosenKey(const QComboBox* names, const QComboBox* keys) {
    const int index = keys->currentIndex();
    if (index < 0 || index >= names->count() || names->currentText() != names->itemText(index))
        return {};
    return keys->currentText();
}

QComboBox* makeKeyList(QWidget* parent, const QString& objectName) {
    auto* keys = new QComboBox(parent);
    keys->setObjectName(objectName);
    keys->setEditable(false);
    keys->setModel(new QStringListModel(keys));
    keys->hide();
    return keys;
}

QComboBox* makeNameList(QWidget* parent, const QString& objectName) {
    auto* names = new QComboBox(parent);
    names->setObjectName(objectName);
    names->setEditable(true);
    names->setModel(new QStringListModel(names));
    names->setInsertPolicy(QComboBox::NoInsert);
    names->setCompleter(nullptr);
    return names;
}

} // namespace picklist
