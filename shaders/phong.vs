// Per-pixel Phong lighting, vertex half: hands the eye-space position and
// normal to the fragment half and places the vertex exactly as the
// fixed-function pipeline would, so depth and stencil tricks still line up.
#version 120

varying vec3 eyePosition;
varying vec3 eyeNormal;

void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    eyePosition = eye.xyz / eye.w;
    eyeNormal = gl_NormalMatrix * gl_Normal;
    gl_FrontColor = gl_Color;
    gl_BackColor = gl_Color;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_Position = ftransform();
}
