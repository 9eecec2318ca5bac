#pragma once

#include <memory>

namespace kestrix {

class Form1;
class Form2;
class Form3;
class Module1;
class ViewFactory;

// The program's three windows, each created the first time any code asks for
// it and kept until the program ends.
class Forms {
public:
    Forms(Module1& module, ViewFactory& factory);
    ~Forms();

    Form1& form1();
    Form2& form2();
    Form3& form3();

private:
    Module1& m_module;
    ViewFactory& m_factory;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
};

}  // namespace kestrix
