#include "windows/Forms.h"

#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

namespace kestrix {

Forms::Forms(Module1& module, ViewFactory& factory) : m_module(module), m_factory(factory) {}

Forms::~Forms() = default;

Form1& Forms::form1() {
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(m_module, m_factory, *this);
    }
    return *m_form1;
}

Form2& Forms::form2() {
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(m_module, m_factory);
    }
    return *m_form2;
}

Form3& Forms::form3() {
    if (!m_form3) {
        m_form3 = std::make_unique<Form3>(m_module, m_factory, *this);
    }
    return *m_form3;
}

}  // namespace kestrix
