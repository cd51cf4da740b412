#include "ui/win32/accessible_name.h"

// The accessibility header needs windows.h first.
#include <oleacc.h>

#include <atomic>
#include <utility>

#include "ui/win32/system_library.h"
#include "ui/win32/window_object.h"

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

}  // namespace

LRESULT answerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam, std::wstring_view name,
                               AccessibleRole role) noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    // No exception may leave for Windows' code: a question that cannot be answered gets the
    // system's own answer.
    try {
        return answerGetObject(control, wParam, Naming{std::wstring(name), role});
    } catch (...) {
        return 0;
    }
}

void announceNameChange(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

// ---- NamedControl ----

NamedControl::~NamedControl() {
    detach();
}

bool NamedControl::attach(HWND control, std::wstring name) {
    detach();
    name_ = std::move(name);
    if (control == nullptr) {
        return false;
    }
    // The control's own procedure keeps its data in the window's extra bytes; the user data is
    // the program's, and holds the way back to this object.
    SetLastError(0);
    if (SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)) == 0 &&
        GetLastError() != 0) {
        return false;
    }
    const auto own = reinterpret_cast<LONG_PTR>(&NamedControl::windowProc);
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, own));
    if (original_ == nullptr) {
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        return false;
    }
    control_ = control;
    return true;
}

void NamedControl::rename(std::wstring_view name) {
    if (name == name_) {
        return;
    }
    name_.assign(name);
    if (control_ != nullptr) {
        announceNameChange(control_);
    }
}

void NamedControl::detach() {
    if (control_ == nullptr) {
        return;
    }
    SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrW(control_, GWLP_USERDATA, 0);
    control_ = nullptr;
}

LRESULT CALLBACK NamedControl::windowProc(HWND control, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
    return callGuarded(&NamedControl::dispatch, control, message, wParam, lParam);
}

LRESULT CALLBACK NamedControl::dispatch(HWND control, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    auto* named = reinterpret_cast<NamedControl*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (named == nullptr || named->control_ != control) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    const WNDPROC original = named->original_;
    switch (message) {
        case WM_GETOBJECT:
            if (const LRESULT answer = answerAccessibleObject(control, wParam, lParam, named->name_,
                                                              AccessibleRole::AsTheSystemSays)) {
                return answer;
            }
            break;
        case WM_NCDESTROY:
            // The control's last message: it leaves as it came.
            named->detach();
            break;
        default:
            break;
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace zentrix::win32
