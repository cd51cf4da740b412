#include "ui/win32/accessible_name.h"

// The accessibility headers need windows.h first.
#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <memory>

#include "ui/win32/system_library.h"

namespace zentrix::win32 {

namespace {

// The accessibility functions, loaded by hand the first time a screen reader asks, so that a
// game played without one loads none of the COM libraries.
struct Accessibility {
    decltype(&CoInitializeEx) coInitializeEx = nullptr;
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocStringLen) sysAllocStringLen = nullptr;
    bool ready = false;

    static const Accessibility& get() {
        static const Accessibility loaded = load();
        return loaded;
    }

private:
    template <typename Function>
    static void find(Function& function, HMODULE module, const char* name) {
        function =
            module != nullptr
                ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
    }

    static Accessibility load() {
        Accessibility a;
        const HMODULE ole32 = loadSystemLibrary(L"ole32.dll");
        const HMODULE oleaut32 = loadSystemLibrary(L"oleaut32.dll");
        const HMODULE oleacc = loadSystemLibrary(L"oleacc.dll");
        find(a.coInitializeEx, ole32, "CoInitializeEx");
        find(a.createStdAccessibleObject, oleacc, "CreateStdAccessibleObject");
        find(a.lresultFromObject, oleacc, "LresultFromObject");
        find(a.sysAllocStringLen, oleaut32, "SysAllocStringLen");
        a.ready = a.coInitializeEx != nullptr && a.createStdAccessibleObject != nullptr &&
                  a.lresultFromObject != nullptr && a.sysAllocStringLen != nullptr;
        if (a.ready) {
            // Handing an object to another program goes through COM on this thread. The thread
            // stays in its apartment until the program ends.
            const HRESULT joined = a.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            a.ready = SUCCEEDED(joined) || joined == RPC_E_CHANGED_MODE;
        }
        return a;
    }
};

struct Naming {
    std::wstring name;
    AccessibleRole role = AccessibleRole::AsTheSystemSays;
};

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's accessible object for a control, with our name and role in place of its own.
// Everything else is the system's. A COM object: it deletes itself on its last Release, never
// through the interface, which has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* inner, const Naming& naming) : inner_(inner), naming_(naming) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
            IsEqualIID(id, __uuidof(IAccessible))) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return inner_->Invoke(member, id, locale, flags, parameters, result, exception,
                              argumentError);
    }

    // IAccessible: the name and the role are ours.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) {
            return inner_->get_accName(child, name);
        }
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = Accessibility::get().sysAllocStringLen(naming_.name.data(),
                                                       static_cast<UINT>(naming_.name.size()));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child) || naming_.role == AccessibleRole::AsTheSystemSays) {
            return inner_->get_accRole(child, role);
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return inner_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return inner_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return inner_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return inner_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return inner_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return inner_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { inner_->Release(); }

    IAccessible* inner_;
    Naming naming_;  // as it stood when the screen reader asked
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

constexpr UINT_PTR kNamingId = 1;

LRESULT answerGetObject(HWND control, WPARAM wParam, const Naming& naming) {
    const Accessibility& a = Accessibility::get();
    if (!a.ready) {
        return 0;
    }
    IAccessible* inner = nullptr;
    if (FAILED(a.createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&inner))) ||
        inner == nullptr) {
        return 0;
    }
    NamedAccessible* named = nullptr;
    try {
        named = new NamedAccessible(inner, naming);  // copies the name, which may throw too
    } catch (...) {
        inner->Release();
        throw;
    }
    const LRESULT result = a.lresultFromObject(__uuidof(IAccessible), wParam, named);
    named->Release();  // LresultFromObject holds its own reference
    return result > 0 ? result : 0;
}

// No exception may leave for Windows' code: a question that cannot be answered gets the
// system's own answer.
LRESULT CALLBACK namingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR reference) noexcept {
    auto* naming = reinterpret_cast<Naming*>(reference);
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                LRESULT answer = 0;
                try {
                    answer = answerGetObject(control, wParam, *naming);
                } catch (...) {
                    answer = 0;
                }
                if (answer != 0) {
                    return answer;
                }
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &namingProc, kNamingId);
            delete naming;
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

Naming* namingOf(HWND control) {
    DWORD_PTR reference = 0;
    if (GetWindowSubclass(control, &namingProc, kNamingId, &reference) == FALSE) {
        return nullptr;
    }
    return reinterpret_cast<Naming*>(reference);
}

}  // namespace

void setAccessibleName(HWND control, std::wstring_view name, AccessibleRole role) {
    if (control == nullptr) {
        return;
    }
    Naming* naming = namingOf(control);
    if (naming == nullptr) {
        // Named for the first time: no screen reader can have asked yet.
        auto created = std::make_unique<Naming>(Naming{std::wstring(name), role});
        if (SetWindowSubclass(control, &namingProc, kNamingId,
                              reinterpret_cast<DWORD_PTR>(created.get())) != FALSE) {
            (void)created.release();  // deleted with the window
        }
        return;
    }
    if (naming->name == name && naming->role == role) {
        return;
    }
    naming->name.assign(name);
    naming->role = role;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

std::wstring accessibleNameOf(HWND control) {
    const Naming* naming = namingOf(control);
    return naming != nullptr ? naming->name : std::wstring();
}

}  // namespace zentrix::win32
