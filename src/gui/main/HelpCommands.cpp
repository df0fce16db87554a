// The Help menu: the help viewer, the maker's web pages and mail, the About box.
#include "fMain.h"
#include "gui/dialogs/About.h"
#include "gui/lang/Language.h"

namespace {
const QString ProductPage = QStringLiteral("https://www.vendrel.example/quillery/");
const QString SupportMail = QStringLiteral("mailto:support@vendrel.example?subject=Quillery");
} // namespace

QString TQuilleryMainForm::HelpFile() const {
    return Folders.Help;
}

void TQuilleryMainForm::HelpRequest(THelpCommand command, int topic) {
    Platform.Shell.Help(HelpFile(), command, QString(), topic);
}

void TQuilleryMainForm::Contents1Click() {
    HelpRequest(THelpCommand::Contents);
}

void TQuilleryMainForm::Help2Click() {
    HelpRequest(THelpCommand::Contents);
}

void TQuilleryMainForm::KeywordSearch1Click() {
    HelpRequest(THelpCommand::KeywordSearch);
}

void TQuilleryMainForm::OtherVendrelSoftware1Click() {
    HelpRequest(THelpCommand::Topic, 230);
}

void TQuilleryMainForm::QuilleryWebPage1Click() {
    LaunchBrowser(ProductPage, true);
}

void TQuilleryMainForm::VendrelWebPage1Click() {
    LaunchBrowser(TAboutBox::WebAddress, true);
}

void TQuilleryMainForm::EmailFeedback1Click() {
    LaunchBrowser(SupportMail, false);
}

bool TQuilleryMainForm::LaunchBrowser(const QString& address, bool ask) {
    IPrompts& prompts = Platform.Prompts;
    if (ask &&
        prompts.Ask(QStringLiteral("Confirm"), QStringLiteral("Connect to the Internet now?"),
                    TButtons::YesNo) != TAnswer::Yes)
        return false;
    if (Platform.Shell.OpenAddress(address))
        return true;
    // The short words as the title, the sentence as the text: a title is cut to the box's width.
    prompts.Ask(QStringLiteral("Launch Error"),
                QStringLiteral("Could not start your Internet browser for %1.").arg(address),
                TButtons::Ok);
    return false;
}

void TQuilleryMainForm::About1Click() {
    TAboutBox box([this] { LaunchBrowser(TAboutBox::WebAddress, true); },
                  [this] { HelpRequest(THelpCommand::Topic, TAboutBox::HelpContext); });
    Language1->Translate();
    // Modal to the window only: the help it opens (F1) stays usable.
    box.setParent(this, box.windowFlags());
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}
