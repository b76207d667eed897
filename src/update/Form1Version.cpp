// "Ny version ?": asks the maker's server for the newest version number.
#include "app/Program.h"
#include "app/TForm1.h"
#include "update/VersionCheck.h"

void TForm1::AdvGlowButton14Click() {
    HTTPGetstring->start(); // a press while a fetch runs does nothing
}

void TForm1::HTTPGetstringDoneString(const QString& text) {
    // The whole text, untrimmed: anything but our own number counts as a newer version.
    if (text == QString::number(m_program.versionNumber)) {
        m_program.dialogs().information(QStringLiteral("Ni har den senaste versionen av Slantvis."));
        return;
    }
    m_program.dialogs().information(QStringLiteral("Finns ny version av Slantvis.") + QChar(u'\r') +
                                    QStringLiteral("Öppnar sidan där uppdateringen kan hämtas."));
    m_program.urlOpener().open(VersionCheck::updatePage());
}

void TForm1::HTTPGetstringError() {
    m_program.dialogs().error(QStringLiteral("Ett fel inträffade, försök igen senare."));
}

void TForm1::setupVersionCheck() {
    HTTPGetstring = new VersionCheck(this);
    HTTPGetstring->setObjectName(QStringLiteral("HTTPGetstring"));
    connect(HTTPGetstring, &VersionCheck::doneString, this,
            [this](const QString& text) { guarded(m_program, [&] { HTTPGetstringDoneString(text); }); });
    connect(HTTPGetstring, &VersionCheck::failed, this, [this] { guarded(m_program, [&] { HTTPGetstringError(); }); });
}
