#include "main/MapURL.h"

#include "main/MapTemplate.h"
#include "main/RemoveAccents.h"

namespace map_url {

namespace {

bool StartsWithNoCase(vb::StringView text, vb::StringView prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (vb::AsciiLower(text[i]) != prefix[i]) return false;
    return true;
}

bool ContainsNoCase(vb::StringView text, vb::StringView word) {
    for (size_t i = 0; i + word.size() <= text.size(); ++i)
        if (StartsWithNoCase(text.substr(i), word)) return true;
    return false;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

void AppendEscaped(vb::String& out, char16_t c) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u'%';
    out += kHex[(c >> 4) & 0xF];
    out += kHex[c & 0xF];
}

// A value from the contact or the settings, as it goes into the query.
vb::String Value(vb::StringView text) {
    vb::String out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'"' || c == u'#' || c == u'%' || IsControl(c)) AppendEscaped(out, c);
        else out += c;
    }
    return out;
}

// The whole URL, as it goes to the shell.
vb::String Safe(vb::StringView url) {
    vb::String out;
    out.reserve(url.size());
    for (char16_t c : url) {
        if (c == u'"' || IsControl(c)) AppendEscaped(out, c);
        else out += c;
    }
    return out;
}

bool IsPostalCountry(vb::StringView code) { return code == u"US" || code == u"FR" || code == u"IT" || code == u"UK"; }

vb::String ReplaceSpaces(vb::StringView text) {
    vb::String out(text);
    for (char16_t& c : out)
        if (c == u' ') c = u'+';
    return out;
}

// The legacy pages' parameters, as their sites take them.
vb::String WithParameterSet(const Inputs& in) {
    vb::String url = in.base;
    if (in.site == kMapQuest) {
        url += u"size=big&";
        url += u"address=" + Value(RemoveAccents(in.field(kStreet))) + u"&";
        url += u"city=" + Value(RemoveAccents(in.field(kCity))) + u"&";
        url += u"state=" + Value(in.field(kState)) + u"&";
        url += u"zip=" + Value(in.field(kPostalCode)) + u"&";
        url += u"country=" + Value(in.countryCode(in.field(kCountry))) + u"&";
        url += u"zoom=" + Value(in.zoom());
    } else if (in.site == kYahoo) {
        url += u"addr=" + Value(in.field(kStreet)) + u"&";
        vb::String code = in.countryCode(in.field(kCountry));
        url += u"country=" + Value(code) + u"&";
        url += u"csz=";
        vb::String postal = IsPostalCountry(code) ? in.field(kPostalCode) : vb::String();
        if (!postal.empty()) {
            url += Value(RemoveAccents(ReplaceSpaces(postal)));
        } else {
            url += Value(RemoveAccents(in.field(kCity)));
            vb::String state = in.field(kState);
            if (!state.empty()) url += u"," + Value(state);
        }
        url += u"&newmag=" + Value(in.zoom());
    }
    return url;
}

}  // namespace

vb::String BaseURL(vb::StringView setting) {
    size_t first = 0, last = setting.size();
    while (first < last && IsBlank(setting[first])) ++first;
    while (last > first && IsBlank(setting[last - 1])) --last;
    vb::StringView url = setting.substr(first, last - first);
    if (url.empty()) return kDefaultMapURL;
    if (StartsWithNoCase(url, u"http://") || StartsWithNoCase(url, u"https://")) return vb::String(url);
    return u"http://" + vb::String(url);
}

vb::String DetectSite(vb::StringView url) {
    vb::String site;
    if (ContainsNoCase(url, kMapQuest)) site = kMapQuest;
    if (ContainsNoCase(url, kYahoo)) site = kYahoo;
    return site;
}

vb::String Build(const Inputs& in) {
    return Safe(IsTemplate(in.base) ? ExpandTemplate(in.base, in) : WithParameterSet(in));
}

}  // namespace map_url
