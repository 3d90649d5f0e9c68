#include "uilogic/Pages.h"

const char kCellAttributes[] =
    "<td onMouseOver='ov(this,1)' onMouseOut='ov(this,0)'onmousedown='ov(this,2)' "
    "onmouseup='ov(this,1)' onclick='ent(this)' ondblclick='ent(this)'";

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty())
        return;
    for (size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
}

std::string CompletePanelPage(std::string page) {
    struct Picture {
        TextId placeholder;
        int resource;
    };
    constexpr Picture kPictures[] = {
        {TextId::PanelImage131, 131}, {TextId::PanelImage133, 133}, {TextId::PanelImage134, 134},
        {TextId::PanelImage135, 135}, {TextId::PanelImage132, 132},
    };
    for (const Picture& picture : kPictures)
        ReplaceWithResourceAddress(page, GetText(picture.placeholder), picture.resource);
    ReplaceAll(page, "<td", kCellAttributes);
    return page;
}

std::string BuildPanelPage() {
    return CompletePanelPage(GetText(TextId::PanelPage));
}

std::string BuildInfoPage(TextId page) {
    std::string text = GetText(page);
    // The banner drawn at double size (picture 142) for screens of double density, beside the
    // one drawn for the page's own size.
    const std::string placeholder = GetText(TextId::BannerPlaceholder);
    std::string twice = placeholder;
    ReplaceWithResourceAddress(twice, placeholder, 142);
    ReplaceAll(text, "src=\"" + placeholder + "\"",
               "src=\"" + placeholder + "\" srcset=\"" + twice + " 2x\"");
    ReplaceWithResourceAddress(text, placeholder, 140);
    ReplaceAll(text, "$ver$", GetText(TextId::Version));
    return text;
}
