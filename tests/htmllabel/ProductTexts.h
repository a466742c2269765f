// The product's own texts that its dialogs show in HTML labels: the
// configuration dialog's introduction, the information text of the category
// option, the about box's link (with the home page's address) and a message
// with bold text and a line break.
#pragma once

namespace producttexts {

const char* const kConfigIntro =
    "Here you can define one or more default actions for an item to be sent.<br>These default "
    "actions will be executed when clicking the 'Send' button to send the message.<br><br>For "
    "specific action(s) click the 'Track + Send' button or the pull-down button on the New Mail "
    "form.";

const char* const kCategoryInfo =
    "<b>Outlook 2007 / 2010:</b><br>When a category is assigned to a received message and you "
    "reply or forward the message, the category is removed by Outlook.<br><br>Selecting this "
    "option will add the category again to your sent item after a reply or forward - even when "
    "filing to a different folder. The category will be added after the message has been sent "
    "and will not be exposed to the recipient.<br><br><b>Outlook 2003:</b><br>For Outlook 2003 "
    "default behavior is different: an attached category will remain attached to the Sent Item "
    "but will also show at the recipient.<br><br>Selecting this option will keep the category "
    "with the Sent Item but prevent the category from being sent to the recipient.";

const char* const kAboutLink =
    "Visit our website at <A href=\"home\">https://www.lorvane.example/</A>";

const char* const kMessage =
    "The folder <b>Sent Items</b> of <b>Personal Folders</b> cannot be found.<br>Choose another "
    "folder for the sent copy.";

} // namespace producttexts
