#include "engine/startup/message_table.h"

#include "common/ansi_case.h"

namespace zk::startup {
namespace {

// Built-in texts in slot order; empty entries are slots without a text.
const char* const kBuiltIn[MessageTable::kSlots] = {
    "Please install the common controls update from Microsoft before attempting to install this product.",
    "Setup resource not found",
    "Setup resource decompression failure",
    "Setup database not found",
    "Runtime error in install: ",
    "bytes",
    "KB",
    "MB",
    "Attempting to get value of undefined variable ",
    "Attempting to set value of undefined variable ",
    "Copying: ",
    "Unable to copy installation data to local folders",
    "Downloading Web Media: ",
    "Unable to download installation data from the web",
    "Extracting Web Media: ",
    "Unable to extract installation data downloaded from the web",
    "Please locate your original setup sources to continue operation",
    "Original setup sources required to complete operation, sources not found",
    "General setup failure",
    "Runtime error in setup script:",
    "% complete",
    "bytes received",
    "Korvane Wizard",
    "Korvane is preparing the Korvane Wizard which will install this application. Please wait.",
    "Retry Download?",
    "Downloading of installation data from the web has failed. Would you like to try again?",
    " Proxy Information (optional) ",
    "Proxy &Server:",
    "Proxy &Port:",
    "If you choose No, setup will exit. However, you will be able to resume your download from where it left off "
    "when you re-run setup.",
    "&Yes",
    "&No",
    "Retry Extraction?",
    "Extraction of installation data downloaded from the web has failed. What would you like to do?",
    "&Download a fresh copy of the installation data.",
    "Try to &extract the existing download data again.",
    "If you choose Cancel, setup will exit. Your existing download data will be preserved.",
    "&OK",
    "&Cancel",
    "Are you sure you want to cancel?",
    "Proxy &User:",
    "Proxy Pass&word:",
    "Fatal Error",
    "Error",
    "Warning",
    "Message",
    "Files in Use",
    "Out of Disk Space",
    "Downloading of installation data from the web has failed. Please make sure you are connected to the Internet.",
    "Would you like to:",
    "Try to &resume the broken download?",
    "Download a &new copy of the data instead?",
    "If you choose Cancel, setup will exit. However, you will be able to resume your download from where it left "
    "off when you re-run setup.",
    "",
    "Locating resource",
    "Connecting to",
    "Redirecting to",
    "Beginning data transfer",
    "Transferring data",
    "Finishing data transfer",
    "Beginning component download",
    "Installing components",
    "Finishing component download",
    "Resuming broken download",
    "Requesting data",
    "CLASSID available",
    "Download data recognized",
    "Saving download information",
    "Beginning synchronous operation",
    "Finishing synchronous operation",
    "Beginning data upload",
    "Uploading data",
    "Finishing data upload",
    "Protocol CLASSID",
    "Encoding",
    "Download data recognized and verified",
    "Class install location",
    "Decoding",
    "Loading data handler",
    "Content disposition attach",
    "Download data filtered",
    "CLSID can instantiate",
    "COM services unavailable",
    "Direct bind",
    "Unrecognized download data",
    "Detecting proxy information",
    "Accept ranges",
    "A previously executed setup still has pending operations on the system. Please restart your computer before "
    "attempting to install this product.",
    "Select Setup Language",
    "Please select the language to use during the installation:",
    // 91-111: read from language files, not used
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "Unable to play Flash movie",
    "Will be &installed on local hard drive",
    "&Entire feature will be installed on local hard drive",
    "Entire feature will be &unavailable",
};

} // namespace

MessageTable::MessageTable() {
    for (int i = 0; i < kSlots; ++i) texts_[static_cast<std::size_t>(i)] = kBuiltIn[i];
}

const std::string& MessageTable::Text(int slot) const {
    static const std::string kNone;
    if (slot < 1 || slot > kSlots) return kNone;
    return texts_[static_cast<std::size_t>(slot - 1)];
}

void MessageTable::ApplyLanguageFile(const std::vector<std::string>& lines, std::string_view userLanguage) {
    std::size_t p = 0;
    auto applyBlock = [&] {
        for (int i = 0; i < kSlots && p < lines.size(); ++i) texts_[static_cast<std::size_t>(i)] = lines[p++];
    };
    applyBlock(); // the default block
    while (p < lines.size()) {
        const std::string& name = lines[p++];
        applyBlock();
        if (!userLanguage.empty() && AnsiSameText(name, userLanguage)) break;
    }
}

} // namespace zk::startup
