// Per-pixel Phong lighting, fragment half: light 0, the light-model ambient
// and the front material, with the current colour standing for the ambient
// and diffuse material (colour material), modulated by texture unit 0.
//
// The game sets no uniforms, so this cannot ask whether lighting or
// texturing is on for a draw. The draws keep it honest instead:
// - every draw that turns texturing off leaves a 1x1 white texture bound, so
//   the texel here is white and the plain colours of the orbs, checkpoints,
//   goal ring and shadow come through untouched;
// - the sky box, which is unlit, is drawn with the pair switched off;
// - the end picture is drawn under a light-model ambient of 1, which
//   saturates the same way, as it does in the fixed-function path.
// The maths follows the fixed-function pipeline: an infinite viewer for the
// half vector, the specular term added before the texture and then clamped,
// alpha taken from the colour times the texel. The game keeps light 0 at
// GL's default attenuation (none) and ambient (black) and places it with
// w = 1, so those terms are left out: they would only add zero or multiply
// by one, and this runs for every pixel of a software-rendered frame.
#version 120

varying vec3 eyePosition;
varying vec3 eyeNormal;

uniform sampler2D picture;

void main()
{
    vec3 normal = normalize(eyeNormal);
    // A point light when w is 1, a direction when w is 0.
    vec4 lightPosition = gl_LightSource[0].position;
    vec3 toLight = normalize(lightPosition.xyz - eyePosition * lightPosition.w);

    vec4 material = gl_Color;
    float diffuse = max(dot(normal, toLight), 0.0);
    vec4 colour = gl_FrontMaterial.emission + gl_LightModel.ambient * material +
                  diffuse * gl_LightSource[0].diffuse * material;
    if (diffuse > 0.0) {
        vec3 halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
        float highlight = pow(max(dot(normal, halfway), 0.0), gl_FrontMaterial.shininess);
        colour += highlight * gl_LightSource[0].specular * gl_FrontMaterial.specular;
    }
    colour = clamp(colour, 0.0, 1.0);

    vec4 texel = texture2D(picture, gl_TexCoord[0].st);
    gl_FragColor = vec4(colour.rgb * texel.rgb, material.a * texel.a);
}
