// The framework's and the label's tests may not include the product, so they
// keep copies of what they need of it: the framework's tests rebuild the
// product's ribbon in a stored form of their own (and keep the ribbon
// documents it gives as golden files), the label's tests lay out the
// product's texts from a header of their own. Those copies are read here as
// text from the source tree and compared with the product's own values, so
// that a change to the product cannot leave them behind unnoticed.
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/Golden.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/dialogs/DlgAbout.h"
#include "addin/dialogs/DlgConfig.h"
#include "framework/ribbon/RibbonDocument.h"
#include "framework/ribbon/adxRibbon.h"
#include "htmllabel/HTMLabel.h"
#include "platform/controls/UserInput.h"
#include "platform/text/Text.h"

#include <map>
#include <string>
#include <vector>

namespace {

// A file of another layer's tests, as text; the test data folders of the
// layers stand side by side.
std::string OtherLayersFile(const std::string& path) {
    return testsupport::ReadTestData("../../" + path);
}

// The C string literals from `from` up to the next ";" of source, joined.
std::string LiteralsFrom(const std::string& source, size_t from) {
    std::string joined;
    const size_t end = source.find(';', from);
    for (size_t i = from; i < end; ++i) {
        if (source[i] != '"')
            continue;
        for (++i; i < end && source[i] != '"'; ++i) {
            if (source[i] == '\\')
                ++i;
            joined += source[i];
        }
    }
    return joined;
}

// The string constants `const char* const kName = "..." "...";` of a header.
std::map<std::string, std::string> StringConstants(const std::string& header) {
    std::map<std::string, std::string> constants;
    const std::string mark = "const char* const ";
    for (size_t at = header.find(mark); at != std::string::npos; at = header.find(mark, at + 1)) {
        size_t nameStart = at + mark.size();
        size_t nameEnd = header.find_first_of(" =", nameStart);
        constants[header.substr(nameStart, nameEnd - nameStart)] = LiteralsFrom(header, nameEnd);
    }
    return constants;
}

// The items of the brace list that follows `declaration` in source, as written.
std::vector<std::string> BraceList(const std::string& source, const std::string& declaration) {
    std::vector<std::string> items;
    size_t open = source.find(declaration);
    if (open == std::string::npos)
        return items;
    open = source.find('{', open);
    const size_t close = source.find('}', open);
    std::string item;
    for (size_t i = open + 1; i <= close; ++i) {
        const char c = source[i];
        if (c == ',' || i == close) {
            size_t first = item.find_first_not_of(" \n");
            size_t last = item.find_last_not_of(" \n");
            if (first != std::string::npos)
                items.push_back(item.substr(first, last - first + 1));
            item.clear();
        } else {
            item += c;
        }
    }
    return items;
}

class ProductCopies : public ProductTest {
protected:
    ProductCopies() : module(LorvaneFormClasses().Create<TAddInModule>(nullptr)) {}
    ~ProductCopies() override { module->Free(); }

    TAddInModule* module;
};

} // namespace

TEST_F(ProductCopies, TheLabelTestsHoldTheProductsTexts) {
    std::map<std::string, std::string> copy =
        StringConstants(OtherLayersFile("htmllabel/ProductTexts.h"));
    const std::string form = OtherLayersFile("htmllabel/data/texts-form.txt");

    // The configuration dialog's introduction and its category information.
    TfrmConfig* config = LorvaneFormClasses().Create<TfrmConfig>(nullptr);
    const std::string intro = config->lbIntro->GetDisplText();
    std::string info;
    user.OnForm([&info](TForm& box) {
        info = controls::Find<THTMLabel>(box, "HtmlLabel").GetDisplText();
        return mrOk;
    });
    config->imgInfoClick(nullptr);
    config->Free();
    // The about box's link with the home page's address.
    module->ShowAbout();
    ASSERT_TRUE(module->FormAbout != nullptr);
    const std::string link = module->FormAbout->LabelUrl->GetDisplText();

    const std::pair<const char*, std::string> texts[] = {
        {"kConfigIntro", intro}, {"kCategoryInfo", info}, {"kAboutLink", link}};
    for (const auto& [name, product] : texts) {
        ASSERT_FALSE(product.empty()) << name;
        EXPECT_EQ(copy[name], product) << name << " in tests/htmllabel/ProductTexts.h";
        EXPECT_NE(form.find("      " + product + "\n"), std::string::npos)
            << name << " in tests/htmllabel/data/texts-form.txt";
    }
}

TEST_F(ProductCopies, TheFrameworkTestsRibbonIsTheProducts) {
    // The documents the framework's copy of the stored form must give.
    for (const auto& [ribbonId, file] :
         {std::pair{u"Microsoft.Outlook.Mail.Compose", "ribbon-mail-compose.xml"},
          std::pair{u"Microsoft.Outlook.Explorer", "ribbon-explorer.xml"}})
        EXPECT_TRUE(text::Narrow(adxGetCustomUI(*module, ribbonId)) ==
                    OtherLayersFile(std::string("framework/data/") + file))
            << file << " in tests/framework/data";

    // The copy's menu of individual actions, its captions and tags, and the
    // split button's tip.
    const std::string source = OtherLayersFile("framework/RibbonTestSupport.cpp");
    std::vector<std::string> captions = BraceList(source, "const char* captions[]");
    std::vector<std::string> tags = BraceList(source, "const int tags[]");
    auto* menu = dynamic_cast<TadxRibbonCustomControl*>(
        module->FindRibbonControl(u"adxRibbonMenu10EB136AAD3A4F0EA63CED31FEA6A51B"));
    ASSERT_NE(menu, nullptr);
    const int count = menu->GetControls()->Count();
    ASSERT_EQ(captions.size(), size_t(count))
        << "captions in tests/framework/RibbonTestSupport.cpp";
    ASSERT_EQ(tags.size(), size_t(count)) << "tags in tests/framework/RibbonTestSupport.cpp";
    for (int i = 0; i < count; ++i) {
        TadxRibbonCustomControl* button = menu->GetControls()->GetItem(i);
        EXPECT_EQ(captions[i], "\"" + text::Narrow(button->GetCaption()) + "\"") << i;
        EXPECT_EQ(tags[i], std::to_string(button->Tag)) << i;
    }
    auto* split = TadxRibbonCustomControl::AsRibbonSplitButton(
        module->FindRibbonControl(u"adxRibbonSplitButton8067D16769B947FAB5967F6972A48538"));
    ASSERT_NE(split, nullptr);
    EXPECT_NE(source.find("ScreenTip = '" + text::Narrow(split->GetScreenTip()) + "'"),
              std::string::npos);
}
