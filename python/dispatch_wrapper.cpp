#include "python/dispatch_wrapper.h"

#include <cstdio>
#include <deque>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/automation/client.h"
#include "platform/automation/error.h"
#include "platform/com/creation.h"
#include "python/conversion.h"
#include "python/errors.h"
#include "python/values.h"

namespace tavrelpy {
namespace {

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// The arguments of one call as Variants. A tavrel.Ref becomes a VT_BYREF|VT_VARIANT argument
// pointing at a Variant of its own, whose final value goes back into the box.
class Arguments {
public:
    Arguments(py::handle args, py::handle value) {
        auto items = py::reinterpret_steal<py::tuple>(PySequence_Tuple(args.ptr()));
        if (!items) throw py::error_already_set();
        for (py::handle item : items) add(item);
        if (value) add(value);
    }

    std::span<VARIANT> span() { return automation::Args(slots_); }

    void storeByReferenceResults() {
        for (auto& [box, referent] : boxes_) Unwrap<ByRef>(box).value = FromVariant(*referent);
    }

private:
    void add(py::handle item) {
        if (!py::isinstance<ByRef>(item)) {
            slots_.push_back(ToVariant(item));
            return;
        }
        Variant& referent = referents_.emplace_back(ToVariant(Unwrap<ByRef>(item).value));
        boxes_.emplace_back(py::reinterpret_borrow<py::object>(item), &referent);
        slots_.push_back(Variant::byReference(VT_VARIANT, &referent));
    }

    std::vector<Variant> slots_;
    std::deque<Variant> referents_;  // stable addresses for the by-reference slots
    std::vector<std::pair<py::object, Variant*>> boxes_;
};

// A member that answered a property read as a method (or as a property that wants arguments):
// calling it invokes the member with the arguments.
struct BoundMethod {
    ComPtr<IDispatch> object;
    DISPID member;
    std::u16string name;
};

struct Enumerator {
    ComPtr<IEnumVARIANT> items;
};

// A property read refused because the member is a method or wants arguments. The client
// reports these results under the runtime's error numbers (438, 450, 449).
bool IsMethodAnswer(const ComError& error) {
    for (HRESULT refusal : {DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT, DISP_E_PARAMNOTOPTIONAL})
        if (error.number() == ComError::numberFromHresult(refusal)) return true;
    return false;
}

// Python's own protocol names (__len__, __copy__, ...) never reach the object.
bool IsPythonSpecialName(std::u16string_view name) {
    return name.size() > 4 && name.starts_with(u"__") && name.ends_with(u"__");
}

std::u16string MemberName(py::handle name) {
    std::u16string text = ToUtf16(name);
    if (IsPythonSpecialName(text))
        throw py::attribute_error("tavrel.Dispatch: Python names such as " + std::string(py::str(name)) +
                                  " do not reach the object");
    return text;
}

// The DISPID of an attribute name; a name the object does not know raises an AttributeError
// that is a tavrel.com_error too.
DISPID AttributeId(IDispatch* object, std::u16string_view name) {
    try {
        return automation::GetDispId(object, name);
    } catch (const ComError& error) {
        if (error.hresult() == DISP_E_UNKNOWNNAME) ThrowAsAttributeError(error);
        throw;
    }
}

py::object GetAttribute(py::handle handle, py::str name) {
    const DispatchObject& self = Unwrap<DispatchObject>(handle);
    std::u16string member = MemberName(name);
    DISPID id = AttributeId(self.get(), member);
    try {
        return FromVariant(automation::Invoke(self.get(), id, DISPATCH_PROPERTYGET));
    } catch (const ComError& error) {
        if (!IsMethodAnswer(error)) throw;
    }
    return py::cast(BoundMethod{self.pointer(), id, std::move(member)});
}

WORD PutFlags(py::handle value) {
    return py::isinstance<DispatchObject>(value) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
}

void SetAttribute(py::handle handle, py::str name, py::object value) {
    const DispatchObject& self = Unwrap<DispatchObject>(handle);
    DISPID id = AttributeId(self.get(), MemberName(name));
    InvokeWithArguments(self.get(), id, PutFlags(value), py::tuple(), value);
}

py::tuple IndexArguments(py::handle key) {
    if (PyTuple_Check(key.ptr())) return py::reinterpret_borrow<py::tuple>(key);
    return py::make_tuple(key);
}

// The identity of a COM object is its IUnknown pointer.
IUnknown* Identity(IDispatch* object) {
    ComPtr<IUnknown> unknown;
    if (FAILED(object->QueryInterface(IID_IUnknown, unknown.putVoid()))) return object;
    return unknown.get();  // stays valid: the object lives while its IDispatch is held
}

DispatchObject CreateDispatch(py::handle source) {
    if (py::isinstance<DispatchObject>(source)) return Unwrap<DispatchObject>(source);
    if (!PyUnicode_Check(source.ptr()))
        throw py::type_error("tavrel.Dispatch takes a ProgID or a tavrel.Dispatch");
    return DispatchObject(com::CreateObject(ToUtf16(source)));
}

py::object NextItem(py::handle handle) {
    Enumerator& self = Unwrap<Enumerator>(handle);
    Variant item;
    ULONG fetched = 0;
    HRESULT hr = self.items->Next(1, item.ptr(), &fetched);
    if (FAILED(hr)) throw ComError::fromHresult(hr);
    if (hr == S_FALSE || fetched == 0) throw py::stop_iteration();
    return FromVariant(item);
}

std::string PointerText(const void* p) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", p);
    return text;
}

DISPID DispidOf(py::handle number) {
    int overflow = 0;
    long long value = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (value == -1 && PyErr_Occurred()) throw py::error_already_set();
    if (overflow || value < std::numeric_limits<DISPID>::min() || value > std::numeric_limits<DISPID>::max()) {
        PyErr_SetString(PyExc_OverflowError, "tavrel.Invoke: a DISPID is a signed 32-bit number");
        throw py::error_already_set();
    }
    return static_cast<DISPID>(value);
}

// tavrel.Invoke(object, member, flags, *args): member is a name or a DISPID.
py::object InvokeFunction(py::handle target, py::object member, WORD flags, py::args args) {
    const DispatchObject& object = Unwrap<DispatchObject>(target);
    DISPID id = 0;
    if (PyUnicode_Check(member.ptr()))
        id = automation::GetDispId(object.get(), ToUtf16(member));
    else if (IsPythonInt(member))
        id = DispidOf(member);
    else
        throw py::type_error("tavrel.Invoke: the member is a name or a DISPID");
    bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (!isPut) return InvokeWithArguments(object.get(), id, flags, args);
    if (args.empty()) throw py::type_error("tavrel.Invoke: a put takes the new value as its last argument");
    py::tuple indices = args[py::slice(0, args.size() - 1, 1)];
    InvokeWithArguments(object.get(), id, flags, indices, args[args.size() - 1]);
    return py::none();
}

}  // namespace

py::object InvokeWithArguments(IDispatch* object, DISPID member, WORD flags, py::handle args, py::handle value) {
    Arguments arguments(args, value);
    Variant result = automation::Invoke(object, member, flags, arguments.span());
    arguments.storeByReferenceResults();
    return FromVariant(result);
}

void RegisterDispatch(py::module_& module) {
    py::class_<BoundMethod>(module, "Method", "A member of an object, called with its arguments.")
        .def("__call__", [](py::handle self, py::args args) {
            const BoundMethod& method = Unwrap<BoundMethod>(self);
            return InvokeWithArguments(method.object.get(), method.member, kRead, args);
        })
        .def("__repr__", [](py::handle self) {
            const BoundMethod& method = Unwrap<BoundMethod>(self);
            return py::str("<tavrel.Method {} of object at {}>")
                .format(FromUtf16(method.name), PointerText(method.object.get()));
        });

    py::class_<Enumerator>(module, "Enumerator", "The items of an object's _NewEnum.")
        .def("__iter__", [](py::object self) { return self; })
        .def("__next__", &NextItem);

    py::class_<DispatchObject>(module, "Dispatch",
                               "An object called late-bound: tavrel.Dispatch(\"Prog.Id\") creates one.")
        .def(py::init(&CreateDispatch), py::arg("progid"))
        .def("__getattr__", &GetAttribute)
        .def("__setattr__", &SetAttribute)
        .def("__call__", [](py::handle self, py::args args) {
            return InvokeWithArguments(Unwrap<DispatchObject>(self).get(), DISPID_VALUE, kRead, args);
        })
        .def("__getitem__", [](py::handle self, py::object key) {
            IDispatch* object = Unwrap<DispatchObject>(self).get();
            return InvokeWithArguments(object, DISPID_VALUE, kRead, IndexArguments(key));
        })
        .def("__setitem__", [](py::handle self, py::object key, py::object value) {
            IDispatch* object = Unwrap<DispatchObject>(self).get();
            InvokeWithArguments(object, DISPID_VALUE, PutFlags(value), IndexArguments(key), value);
        })
        .def("__iter__",
             [](py::handle self) { return Enumerator{automation::Enumerate(Unwrap<DispatchObject>(self).get())}; })
        .def("__eq__", [](py::handle self, py::object other) -> py::object {
            if (!py::isinstance<DispatchObject>(other)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
            IUnknown* mine = Identity(Unwrap<DispatchObject>(self).get());
            return py::bool_(mine == Identity(Unwrap<DispatchObject>(other).get()));
        })
        .def("__hash__",
             [](py::handle self) { return std::hash<const void*>()(Identity(Unwrap<DispatchObject>(self).get())); })
        .def("__repr__", [](py::handle self) {
            return "<tavrel.Dispatch object at " + PointerText(Unwrap<DispatchObject>(self).get()) + ">";
        });

    module.def("Invoke", &InvokeFunction, py::arg("object"), py::arg("member"), py::arg("flags"),
               "Invoke(object, member, flags, *args): one IDispatch::Invoke with the given flags; member is a "
               "name or a DISPID. For a put the last argument is the new value.");
}

}  // namespace tavrelpy
